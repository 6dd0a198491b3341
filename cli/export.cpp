// keelvane-cli export: a project's hull for the programs that follow: STEP and IGES surfaces, the
// closed body as STL and the table of offsets as CSV, any number of them in one run, written
// together or not at all.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/outputfiles.h"
#include "cli/planeoptions.h"
#include "cli/reportingmodel.h"

#include "exchange/cadfile.h"
#include "exchange/closedbody.h"
#include "exchange/occtshapes.h"
#include "exchange/offsets.h"
#include "exchange/stlfile.h"
#include "geometry/records.h"
#include "geometry/textutil.h"

#include <filesystem>
#include <ostream>

namespace {

struct TExportOptions {
    std::optional<std::string> Input, Step, Iges, Stl, Offsets;
    bool BothHalves = false, Curves = false;
    int Samples = 0; // facets per knot span of the body; 0 chooses
    TPlaneOptions Planes;

    std::vector<std::pair<const char*, const std::optional<std::string>*>> Outputs() const {
        return {{"--step", &Step}, {"--iges", &Iges}, {"--stl", &Stl}, {"--offsets", &Offsets}};
    }
};

// Two outputs naming one file would leave only the one moved last.
void CheckDistinctOutputs(const TExportOptions& O) {
    std::vector<std::pair<std::filesystem::path, const char*>> Seen;
    for (const auto& [Option, Target] : O.Outputs()) {
        if (!*Target) continue;
        const auto Path = std::filesystem::weakly_canonical(std::filesystem::absolute(**Target));
        for (const auto& [Other, OtherOption] : Seen)
            if (Other == Path)
                throw EUsageError(std::string(OtherOption) + " and " + Option + " name one file, " +
                                  **Target);
        Seen.emplace_back(Path, Option);
    }
    if (Seen.empty())
        throw EUsageError("export needs at least one of --step, --iges, --stl and --offsets");
}

TExportOptions ParseExport(const TArguments& Arguments) {
    TExportOptions O;
    TArgumentList A(Arguments);
    while (!A.AtEnd()) {
        const std::string Option = A.Next();
        if (O.Planes.Take(Option, A)) continue;
        if (Option == "--step")
            SetOnce(O.Step, A.ValueOf(Option), Option);
        else if (Option == "--iges")
            SetOnce(O.Iges, A.ValueOf(Option), Option);
        else if (Option == "--stl")
            SetOnce(O.Stl, A.ValueOf(Option), Option);
        else if (Option == "--offsets")
            SetOnce(O.Offsets, A.ValueOf(Option), Option);
        else if (Option == "--both-halves")
            O.BothHalves = true;
        else if (Option == "--curves")
            O.Curves = true;
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
    CheckDistinctOutputs(O);
    return O;
}

} // namespace

int RunExport(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    const TExportOptions O = ParseExport(Arguments);
    TReportingKeelvane Model(Err);
    Model.LoadFromFile(*O.Input);

    TOutputFiles Files;
    std::vector<std::string> Written;
    TCadContent Cad{&Model, O.BothHalves, {}};
    if (O.Curves) {
        const auto Curves = Model.DefiningSplines();
        Cad.Curves.assign(Curves.begin(), Curves.end());
    }
    if (O.Step) {
        WriteStep(Files.Add(*O.Step), Cad);
        Written.push_back(*O.Step);
    }
    if (O.Iges) {
        WriteIges(Files.Add(*O.Iges), Cad);
        Written.push_back(*O.Iges);
    }
    if (O.Stl) {
        const auto Body = ClosedBody(Model, O.Samples);
        WriteBinaryStl(Files.Add(*O.Stl), *Body);
        Written.push_back(*O.Stl + " (" + std::to_string(Body->Triangles.size()) +
                          " facets, volume " + FixedText(Body->Volume(), 3) + ")");
    }
    if (O.Offsets) {
        const auto Table = TableOfOffsets(Model, O.Planes.Positions(0, Model.Parameters()),
                                          O.Planes.Positions(2, Model.Parameters()));
        WriteOffsetsCsv(Files.Add(*O.Offsets), *Table);
        Written.push_back(*O.Offsets + " (" + std::to_string(Table->Stations.size()) +
                          " stations x " + std::to_string(Table->Waterlines.size()) +
                          " waterlines)");
    }
    Files.Commit();
    Out << "Exported";
    for (std::size_t i = 0; i < Written.size(); ++i) Out << (i ? ", " : " ") << Written[i];
    Out << "\n";
    return 0;
}
