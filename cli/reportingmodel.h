// The hull model as the command-line tool uses it: stages, progress and messages go to a stream
// (the tool's stderr), and the summary of the control net it prints.
#pragma once

#include "hull/keelvane.h"

#include <iosfwd>
#include <string>

class TReportingKeelvane : public TKeelvane {
public:
    explicit TReportingKeelvane(std::ostream& Report) : FReport(Report) {}

    void ShowStatus(const std::string& Text) override;
    void ShowProgress(int Percent) override;
    void ShowMessage(const std::string& Text) override;

private:
    std::ostream& FReport;
};

// The extents of the stored control net (empty extents for an empty net).
TExtents NetExtents(const TKeelvane& Model);
// "net NumU x NumV, x MinX .. MaxX, y MinY .. MaxY, z MinZ .. MaxZ", three decimals.
std::string NetSummary(const TKeelvane& Model);
