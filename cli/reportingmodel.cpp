// The hull model as the command-line tool uses it.
#include "cli/reportingmodel.h"

#include "geometry/errors.h"
#include "geometry/records.h"

#include <ostream>

namespace {

// Work shorter than this shows no progress: a line that flashes by tells nothing.
constexpr std::chrono::milliseconds ProgressDelay(500);

// " (while building <what>; look at <parameters>)" for the step running, empty outside one.
std::string StageContext(const TGenerationStage& Stage) {
    if (Stage.What.empty()) return "";
    return " (while building " + std::string(Stage.What) + "; look at " +
           std::string(Stage.Parameters) + ")";
}

} // namespace

TReportOptions& ReportOptions() {
    static TReportOptions Options;
    return Options;
}

TReportingKeelvane::TReportingKeelvane(std::ostream& Report) : FReport(Report) {}

TReportingKeelvane::~TReportingKeelvane() {
    ClearLine();
}

void TReportingKeelvane::Generate() {
    FErrors = 0;
    try {
        TKeelvane::Generate();
    } catch (const EKeelvaneError& E) {
        ClearLine();
        if (Stage().What.empty()) throw;
        throw EGeometryError("Generation failed: " + std::string(E.what()) + StageContext(Stage()));
    }
    ClearLine();
    if (FErrors > 0)
        throw EGeometryError("Generation failed: " + std::to_string(FErrors) +
                             " error(s) reported above; nothing written");
}

void TReportingKeelvane::LoadFromFile(const std::string& FileName) {
    try {
        TKeelvane::LoadFromFile(FileName);
    } catch (const EIOError&) {
        throw; // its message names the file already
    } catch (const EKeelvaneError& E) {
        throw EReadError(FileName + ": " + E.what());
    }
}

void TReportingKeelvane::ShowStatus(const std::string& Text) {
    FStatus = Text;
}

void TReportingKeelvane::ShowProgress(int Percent) {
    const TReportOptions& O = ReportOptions();
    if (!O.Terminal || O.Quiet || std::chrono::steady_clock::now() - FStart < ProgressDelay) return;
    FReport << "\r" << FStatus << " " << Percent << "%\x1b[K" << std::flush;
    FLineShown = true;
}

// Warnings are the model going on by design; anything else is an error of the command.
void TReportingKeelvane::ShowMessage(const std::string& Text) {
    const bool Warning = Text.starts_with("Warning");
    if (!Warning) ++FErrors;
    if (Warning && ReportOptions().Quiet) return;
    ClearLine();
    FReport << (Warning || Text.starts_with("Error") ? "" : "Error: ") << Text
            << StageContext(Stage()) << "\n";
}

void TReportingKeelvane::ClearLine() {
    if (FLineShown) FReport << "\r\x1b[K" << std::flush;
    FLineShown = false;
}

TExtents NetExtents(const TKeelvane& Model) {
    TExtents E;
    for (int i = 0; i < Model.NumU; ++i)
        for (int j = 0; j < Model.NumV; ++j) IncludeInExtents(E, Model.Point(i, j));
    return E;
}

std::string NetSummary(const TKeelvane& Model) {
    const TExtents E = NetExtents(Model);
    const auto Range = [](const char* Axis, double Min, double Max) {
        return std::string(", ") + Axis + " " + FixedText(Min, 3) + " .. " + FixedText(Max, 3);
    };
    std::string S = "net " + std::to_string(Model.NumU) + " x " + std::to_string(Model.NumV);
    if (Model.NumU > 0 && Model.NumV > 0)
        S += Range("x", E.MinX, E.MaxX) + Range("y", E.MinY, E.MaxY) + Range("z", E.MinZ, E.MaxZ);
    return S;
}
