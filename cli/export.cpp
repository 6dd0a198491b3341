// keelvane-cli export: a project's hull for the programs that follow: STEP and IGES surfaces, the
// lines plan as DXF, the closed body as STL and the table of offsets as CSV, any number of them
// in one run, written together or not at all.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/planeoptions.h"
#include "cli/reportingmodel.h"
#include "cli/sheetoptions.h"

#include "contours/contours.h"
#include "drawing/linesplan.h"
#include "exchange/cadfile.h"
#include "exchange/closedbody.h"
#include "exchange/linesplandxf.h"
#include "exchange/occtshapes.h"
#include "exchange/offsets.h"
#include "exchange/stlfile.h"
#include "geometry/records.h"
#include "geometry/safefile.h"
#include "geometry/textutil.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>

namespace {

struct TExportOptions {
    std::optional<std::string> Input, Step, Iges, Dxf, Stl, Offsets;
    bool BothHalves = false, Curves = false, DxfModel = false;
    int Samples = 0; // facets per knot span of the body; 0 chooses
    TPlaneOptions Planes;
    TLinesPlanOptions Sheet;

    TOutputOptions Outputs() const {
        return {{"--step", Step},
                {"--iges", Iges},
                {"--dxf", Dxf},
                {"--stl", Stl},
                {"--offsets", Offsets}};
    }
};

TExportOptions ParseExport(const TArguments& Arguments) {
    TExportOptions O;
    TArgumentList A(Arguments);
    while (!A.AtEnd()) {
        const std::string Option = A.Next();
        if (O.Planes.Take(Option, A) || TakeSheetOption(Option, A, O.Sheet) ||
            A.TakeValue(Option, {{"--step", &O.Step},
                                 {"--iges", &O.Iges},
                                 {"--dxf", &O.Dxf},
                                 {"--stl", &O.Stl},
                                 {"--offsets", &O.Offsets}}))
            continue;
        if (Option == "--both-halves")
            O.BothHalves = true;
        else if (Option == "--curves")
            O.Curves = true;
        else if (Option == "--dxf-3d")
            O.DxfModel = true;
        else if (Option == "--samples") {
            const std::string Value = A.ValueOf(Option);
            const auto N = TextToInteger(Value);
            if (!N || *N < 1 || *N > MaxSpanSamples)
                throw EUsageError("--samples is a whole number from 1 to " +
                                  std::to_string(MaxSpanSamples) + ", not '" + Value + "'");
            O.Samples = *N;
        } else if (Option.starts_with("-"))
            throw EUsageError("unknown option '" + Option + "'");
        else
            SetOnce(O.Input, Option, "FILE.kvp");
    }
    if (!O.Input) throw EUsageError("export needs FILE.kvp");
    if (std::ranges::none_of(O.Outputs(), [](const auto& Output) { return !!Output.second; }))
        throw EUsageError(
            "export needs at least one of --step, --iges, --dxf, --stl and --offsets");
    if (O.DxfModel && !O.Dxf) throw EUsageError("--dxf-3d needs --dxf");
    RefuseSameOutputs(O.Outputs());
    return O;
}

} // namespace

int RunExport(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    const TExportOptions O = ParseExport(Arguments);
    TReportingKeelvane Model(Err);
    Model.LoadFromFile(*O.Input);

    // Every output is opened before the work, so that a name that cannot be written fails at
    // once; none is put into place unless all were written whole.
    TSafeFileGroup Files;
    std::map<std::string, std::ostream*> Stream;
    for (const auto& [Option, Target] : O.Outputs())
        if (Target) Stream[Option] = &Files.Add(*Target).Stream();

    std::vector<std::string> Written;
    TCadContent Cad{&Model, O.BothHalves, {}};
    if (O.Curves) {
        const auto Curves = Model.DefiningSplines();
        Cad.Curves.assign(Curves.begin(), Curves.end());
    }
    if (O.Step) {
        WriteStep(*Stream["--step"], Cad);
        Written.push_back(*O.Step);
    }
    if (O.Iges) {
        WriteIges(*Stream["--iges"], Cad);
        Written.push_back(*O.Iges);
    }
    if (O.Dxf) {
        TContours Planes;
        O.Planes.AddTo(Planes, Model.Parameters());
        TLinesPlanOptions SheetOptions = O.Sheet;
        SheetOptions.ProjectName = std::filesystem::path(*O.Input).filename().string();
        const TLinesPlanSheet Sheet(Model, Planes, SheetOptions);
        WriteLinesPlanDxf(*Stream["--dxf"], Sheet, O.DxfModel);
        Written.push_back(*O.Dxf + " (" + std::string(SheetOptions.Paper.Name) + " at " +
                          ScaleText(Sheet.Scale()) + (O.DxfModel ? ", 3-D lines" : "") + ")");
    }
    if (O.Stl) {
        const auto Body = ClosedBody(Model, O.Samples);
        WriteBinaryStl(*Stream["--stl"], *Body);
        Written.push_back(*O.Stl + " (" + std::to_string(Body->Triangles.size()) +
                          " facets, volume " + FixedText(Body->Volume(), 3) + ")");
    }
    if (O.Offsets) {
        const auto Table = TableOfOffsets(Model, O.Planes.Positions(0, Model.Parameters()),
                                          O.Planes.Positions(2, Model.Parameters()));
        WriteOffsetsCsv(*Stream["--offsets"], *Table);
        Written.push_back(*O.Offsets + " (" + std::to_string(Table->Stations.size()) +
                          " stations x " + std::to_string(Table->Waterlines.size()) +
                          " waterlines)");
    }
    Files.Commit();
    if (ReportOptions().Quiet) return 0;
    std::ostream& Summary = SummaryStream(O.Outputs(), Out, Err);
    Summary << "Exported";
    for (std::size_t i = 0; i < Written.size(); ++i) Summary << (i ? ", " : " ") << Written[i];
    Summary << "\n";
    return 0;
}
