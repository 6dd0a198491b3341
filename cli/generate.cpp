// keelvane-cli generate: a hull from the defaults or a project, with parameters set by name,
// generated and saved as a project.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/reportingmodel.h"

#include "geometry/errors.h"
#include "geometry/safefile.h"

#include <optional>
#include <ostream>
#include <utility>

namespace {

struct TGenerateOptions {
    std::optional<std::string> Input, Output, Diagnostics;
    std::vector<std::pair<int, double>> Settings; // parameter index and value, in order given
    std::optional<std::uint8_t> BowShape;
    bool LengthOnly = false;

    TOutputOptions Outputs() const { return {{"-o", Output}, {"--geo", Diagnostics}}; }
};

// "NAME=VALUE" with NAME a project-file key.
std::pair<int, double> Setting(const std::string& Text) {
    const auto Equals = Text.find('=');
    if (Equals == std::string::npos) throw EUsageError("-s needs NAME=VALUE, not '" + Text + "'");
    const std::string Name = Text.substr(0, Equals);
    const int Index = TKeelvane::ParameterIndex(Name);
    if (Index < 0) throw EUsageError("unknown parameter '" + Name + "'");
    const double Value = NumberArgument(Text.substr(Equals + 1), Name);
    // Project files read any other number as a plain bow; typed here it is a mistake.
    if (Index == 0 && Value != 0 && Value != 1)
        throw EUsageError("BowShape is 0 (plain bow) or 1 (bulbous bow), not '" +
                          Text.substr(Equals + 1) + "'");
    return {Index, Value};
}

TGenerateOptions ParseGenerate(const TArguments& Arguments) {
    TGenerateOptions O;
    TArgumentList A(Arguments);
    while (!A.AtEnd()) {
        const std::string Option = A.Next();
        if (A.TakeValue(Option, {{"-i", &O.Input}, {"-o", &O.Output}, {"--geo", &O.Diagnostics}}))
            continue;
        if (Option == "-s")
            O.Settings.push_back(Setting(A.ValueOf(Option)));
        else if (Option == "--bulbous" || Option == "--plain") {
            const std::uint8_t Shape = Option == "--bulbous" ? 1 : 0;
            if (O.BowShape && *O.BowShape != Shape)
                throw EUsageError("--bulbous and --plain exclude each other");
            O.BowShape = Shape;
        } else if (Option == "--length-only")
            O.LengthOnly = true;
        else
            throw EUsageError("unknown option '" + Option + "'");
    }
    if (!O.Output) throw EUsageError("generate needs -o OUT.kvp");
    RefuseSameOutputs(O.Outputs());
    return O;
}

// A setting the construction refuses once stored may be mended by a later one (a depth set
// before the draught that makes it valid): Generate checks the final set of parameters. A
// refusal that left the parameter as it was (a zero length) is final.
void ApplySetting(TKeelvane& Model, int Index, double Value) {
    const double Before = Model.ParameterValue(Index);
    try {
        Model.SetParameterValue(Index, Value);
    } catch (const EKeelvaneError&) {
        if (Model.ParameterValue(Index) == Before && Value != Before) throw;
    }
}

} // namespace

int RunGenerate(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    const TGenerateOptions O = ParseGenerate(Arguments);
    TReportingKeelvane Model(Err);
    if (O.Input) Model.LoadFromFile(*O.Input);
    if (O.LengthOnly) Model.TransformMode = tmLengthOnly;
    for (const auto& [Index, Value] : O.Settings) ApplySetting(Model, Index, Value);
    if (O.BowShape) ApplySetting(Model, 0, *O.BowShape);
    Model.Generate();
    // The construction goes into place only beside a saved project: a failed export or save
    // leaves neither file.
    TSafeFileGroup Files;
    if (O.Diagnostics) Model.ExportDiagnostics(Files.Add(*O.Diagnostics));
    Model.WriteProject(Files.Add(*O.Output));
    Files.Commit();
    if (!ReportOptions().Quiet)
        SummaryStream(O.Outputs(), Out, Err)
            << "Wrote " << *O.Output << ": " << NetSummary(Model) << "\n";
    return 0;
}
