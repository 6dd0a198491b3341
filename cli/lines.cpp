// keelvane-cli lines: the contours of a project's hull at the planes given, drawn as an SVG
// lines plan and written as the polylines of a geometry file.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/linesplan.h"
#include "cli/outputfiles.h"
#include "cli/reportingmodel.h"

#include "contours/computecontours.h"
#include "contours/contours.h"
#include "display/svgstream.h"
#include "geometry/geofile.h"
#include "geometry/polylist.h"

#include <ostream>

namespace {

struct TLinesOptions {
    std::optional<std::string> Input, Svg, Geo;
    std::optional<std::vector<double>> Planes[3]; // stations, buttocks, waterlines: by axis
    TLinesView View = lvAll;
};

void SetPlanes(std::optional<std::vector<double>>& Target, const std::string& Spec,
               const std::string& Option) {
    if (Target) throw EUsageError(Option + " given twice");
    Target = ParsePlaneSpec(Spec);
    if (!Target)
        throw EUsageError(Option + " needs positions a,b,c or start:end:count, not '" + Spec + "'");
}

TLinesOptions ParseLines(const TArguments& Arguments) {
    TLinesOptions O;
    TArgumentList A(Arguments);
    while (!A.AtEnd()) {
        const std::string Option = A.Next();
        if (Option == "--stations")
            SetPlanes(O.Planes[0], A.ValueOf(Option), Option);
        else if (Option == "--buttocks")
            SetPlanes(O.Planes[1], A.ValueOf(Option), Option);
        else if (Option == "--waterlines")
            SetPlanes(O.Planes[2], A.ValueOf(Option), Option);
        else if (Option == "--view") {
            const std::string Name = A.ValueOf(Option);
            const auto View = LinesViewByName(Name);
            if (!View)
                throw EUsageError("--view is profile, plan, body or all, not '" + Name + "'");
            O.View = *View;
        } else if (Option == "--svg")
            SetOnce(O.Svg, A.ValueOf(Option), Option);
        else if (Option == "--geo")
            SetOnce(O.Geo, A.ValueOf(Option), Option);
        else if (Option.starts_with("-"))
            throw EUsageError("unknown option '" + Option + "'");
        else
            SetOnce(O.Input, Option, "IN.kvp");
    }
    if (!O.Input) throw EUsageError("lines needs IN.kvp");
    return O;
}

// Without planes given, a plan of the usual kind: 21 stations from the aft to the fore
// perpendicular, 9 waterlines and 4 buttocks evenly inside depth and half-breadth.
void AddDefaultPlanes(TContours& Contours, const TKeelvaneParameters& P) {
    for (int k = 0; k <= 20; ++k) Contours.Add(0, k * P.Lbp / 20);
    for (int k = 1; k <= 4; ++k) Contours.Add(1, k * P.Beam / 10);
    for (int k = 1; k <= 9; ++k) Contours.Add(2, k * P.Depth / 10);
}

void AddPlanes(TContours& Contours, const TLinesOptions& O, const TKeelvaneParameters& P) {
    if (!O.Planes[0] && !O.Planes[1] && !O.Planes[2]) AddDefaultPlanes(Contours, P);
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis)
        if (O.Planes[Axis])
            for (const double Position : *O.Planes[Axis]) Contours.Add(Axis, Position);
}

} // namespace

int RunLines(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    const TLinesOptions O = ParseLines(Arguments);
    TReportingKeelvane Model(Err);
    Model.LoadFromFile(*O.Input);
    TContours Contours;
    AddPlanes(Contours, O, Model.Parameters());
    const auto Lines = ComputeContours(Model, Contours);
    const auto Sheet = O.Svg ? DrawLinesPlan(Model, *Lines, Model.Midship(), O.View) : nullptr;

    TOutputFiles Files;
    if (Sheet) Sheet->SaveToFile(Files.Add(*O.Svg));
    if (O.Geo) {
        TGeometryFile Geo(Files.Add(*O.Geo));
        Geo.Write(*Lines);
        Geo.Close();
    }
    Files.Commit();
    Out << Lines->Count() << " contour polylines from " << Contours.NumXContours() << " stations, "
        << Contours.NumZContours() << " waterlines and " << Contours.NumYContours()
        << " buttocks\n";
    return 0;
}
