// keelvane-cli lines: the contours of a project's hull at the planes given, drawn as an SVG
// lines plan and written as the polylines of a geometry file.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/linesplan.h"
#include "cli/outputfiles.h"
#include "cli/planeoptions.h"
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
    TPlaneOptions Planes;
    TLinesView View = lvAll;
};

TLinesOptions ParseLines(const TArguments& Arguments) {
    TLinesOptions O;
    TArgumentList A(Arguments);
    while (!A.AtEnd()) {
        const std::string Option = A.Next();
        if (O.Planes.Take(Option, A)) continue;
        if (Option == "--view") {
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

} // namespace

int RunLines(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    const TLinesOptions O = ParseLines(Arguments);
    TReportingKeelvane Model(Err);
    Model.LoadFromFile(*O.Input);
    TContours Contours;
    O.Planes.AddTo(Contours, Model.Parameters());
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
