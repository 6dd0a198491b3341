// keelvane-cli info: the parameters and the stored control net of a project, as text or JSON.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/reportingmodel.h"

#include "geometry/records.h"

#include <optional>
#include <ostream>

namespace {

void WriteText(const std::string& File, const TKeelvane& Model, std::ostream& Out) {
    Out << "File: " << File << "\n";
    Out << TKeelvane::ParameterKey(0) << "=" << int(Model.Parameters().BowShape) << "\n";
    for (int i = 1; i < TKeelvane::ParameterCount; ++i)
        Out << TKeelvane::ParameterKey(i) << "=" << FixedText(Model.ParameterValue(i), 3) << "\n";
    Out << NetSummary(Model) << "\n";
}

void WriteJson(const std::string& File, const TKeelvane& Model, std::ostream& Out) {
    Out << "{\n  \"file\": " << JsonString(File) << ",\n  \"parameters\": {";
    for (int i = 0; i < TKeelvane::ParameterCount; ++i)
        Out << (i ? "," : "") << "\n    " << JsonString(std::string(TKeelvane::ParameterKey(i)))
            << ": " << GeneralText(Model.ParameterValue(i));
    Out << "\n  },\n  \"net\": {\"NumU\": " << Model.NumU << ", \"NumV\": " << Model.NumV << "},\n";
    Out << "  \"extents\": ";
    if (Model.NumU > 0 && Model.NumV > 0) {
        const TExtents E = NetExtents(Model);
        const std::pair<const char*, double> Values[] = {{"MinX", E.MinX}, {"MaxX", E.MaxX},
                                                         {"MinY", E.MinY}, {"MaxY", E.MaxY},
                                                         {"MinZ", E.MinZ}, {"MaxZ", E.MaxZ}};
        Out << "{";
        for (const auto& [Key, Value] : Values)
            Out << (Key == Values[0].first ? "" : ", ") << JsonString(Key) << ": "
                << GeneralText(Value);
        Out << "}";
    } else {
        Out << "null";
    }
    Out << "\n}\n";
}

} // namespace

int RunInfo(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    std::optional<std::string> File;
    bool Json = false;
    TArgumentList A(Arguments);
    while (!A.AtEnd()) {
        const std::string Argument = A.Next();
        if (Argument == "--json")
            Json = true;
        else if (!Argument.empty() && Argument[0] == '-')
            throw EUsageError("unknown option '" + Argument + "'");
        else
            SetOnce(File, Argument, "FILE.kvp");
    }
    if (!File) throw EUsageError("info needs FILE.kvp");

    TReportingKeelvane Model(Err);
    Model.LoadFromFile(*File);
    if (Json)
        WriteJson(*File, Model, Out);
    else
        WriteText(*File, Model, Out);
    return 0;
}
