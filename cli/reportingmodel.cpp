// The hull model as the command-line tool uses it.
#include "cli/reportingmodel.h"

#include "geometry/records.h"

#include <ostream>

void TReportingKeelvane::ShowStatus(const std::string& Text) {
    FReport << Text << "\n";
}

void TReportingKeelvane::ShowProgress(int Percent) {
    FReport << "  " << Percent << "%\n";
}

void TReportingKeelvane::ShowMessage(const std::string& Text) {
    FReport << Text << "\n";
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
