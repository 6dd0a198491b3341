// keelvane-cli lines: the contours of a project's hull at the planes given, drawn as a lines plan
// sheet (SVG, PDF) and written as the polylines of a geometry file.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/planeoptions.h"
#include "cli/reportingmodel.h"
#include "cli/sheetoptions.h"

#include "contours/computecontours.h"
#include "contours/contours.h"
#include "display/painter/pdffile.h"
#include "drawing/linesplan.h"
#include "geometry/geofile.h"
#include "geometry/polylist.h"
#include "geometry/records.h"
#include "geometry/safefile.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace {

struct TLinesOptions {
    std::optional<std::string> Input, Svg, Pdf, Geo;
    TPlaneOptions Planes;
    TLinesPlanOptions Sheet;

    TOutputOptions Outputs() const { return {{"--svg", Svg}, {"--pdf", Pdf}, {"--geo", Geo}}; }
};

TLinesOptions ParseLines(const TArguments& Arguments) {
    TLinesOptions O;
    TArgumentList A(Arguments);
    while (!A.AtEnd()) {
        const std::string Option = A.Next();
        if (O.Planes.Take(Option, A) || TakeSheetOption(Option, A, O.Sheet) ||
            A.TakeValue(Option, {{"--svg", &O.Svg}, {"--pdf", &O.Pdf}, {"--geo", &O.Geo}}))
            continue;
        if (Option.starts_with("-"))
            throw EUsageError("unknown option '" + Option + "'");
        else
            SetOnce(O.Input, Option, "IN.kvp");
    }
    if (!O.Input) throw EUsageError("lines needs IN.kvp");
    RefuseSameOutputs(O.Outputs());
    return O;
}

// Planes that miss the hull give no contour: the user hears of them, with the hull's range.
void ReportPlanesOutside(const std::vector<double>& Positions, std::uint8_t Axis,
                         const TExtents& Hull, std::ostream& Err) {
    const char* Kind[] = {"station(s)", "buttock(s)", "waterline(s)"};
    const char* Name[] = {"x", "y", "z"};
    const double Min[] = {Hull.MinX, Hull.MinY, Hull.MinZ},
                 Max[] = {Hull.MaxX, Hull.MaxY, Hull.MaxZ};
    const auto Outside = std::count_if(Positions.begin(), Positions.end(),
                                       [&](double v) { return v < Min[Axis] || v > Max[Axis]; });
    if (Outside > 0 && !ReportOptions().Quiet)
        Err << "Warning: " << Outside << " " << Kind[Axis] << " lie outside the hull, "
            << Name[Axis] << " from " << FixedText(Min[Axis], 1) << " to "
            << FixedText(Max[Axis], 1) << "\n";
}

} // namespace

int RunLines(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    const TLinesOptions O = ParseLines(Arguments);
    TReportingKeelvane Model(Err);
    Model.LoadFromFile(*O.Input);
    TContours Contours;
    const TExtents Hull = NetExtents(Model);
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis)
        ReportPlanesOutside(O.Planes.Positions(Axis, Model.Parameters()), Axis, Hull, Err);
    O.Planes.AddTo(Contours, Model.Parameters());
    Model.ShowStatus("Creating Contours");
    const auto Lines = ComputeContours(Model, Contours, [&](double Fraction) {
        Model.ShowProgress(static_cast<int>(100 * Fraction));
    });
    Model.ClearLine();
    TLinesPlanOptions SheetOptions = O.Sheet;
    SheetOptions.ProjectName = std::filesystem::path(*O.Input).filename().string();
    const auto Sheet =
        O.Svg || O.Pdf ? std::make_unique<TLinesPlanSheet>(Model, Contours, SheetOptions) : nullptr;

    TSafeFileGroup Files;
    if (O.Svg) Files.Add(*O.Svg).Stream() << Sheet->Svg();
    if (O.Pdf)
        SavePdf(Files.Add(*O.Pdf).Stream(), *O.Pdf, Sheet->Width(), Sheet->Height(),
                "Lines plan of " + SheetOptions.ProjectName,
                [&](TGStream& Page) { Sheet->Draw(Page); });
    if (O.Geo) {
        TGeometryFile Geo(Files.Add(*O.Geo));
        Geo.Write(*Lines);
        Geo.Close();
    }
    Files.Commit();
    if (!ReportOptions().Quiet)
        SummaryStream(O.Outputs(), Out, Err)
            << Lines->Count() << " contour polylines from " << Contours.NumXContours()
            << " stations, " << Contours.NumZContours() << " waterlines and "
            << Contours.NumYContours() << " buttocks\n";
    return 0;
}
