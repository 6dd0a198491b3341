// The hull model as the command-line tool uses it: progress on a terminal, warnings and errors
// with the step they came from, and the summary of the control net it prints.
#pragma once

#include "hull/keelvane.h"

#include <chrono>
#include <iosfwd>
#include <string>

// How the tool reports: Terminal is set by the entry point when stderr is a terminal, Quiet by
// --quiet for one run.
struct TReportOptions {
    bool Terminal = false;
    bool Quiet = false;
};
TReportOptions& ReportOptions();

class TReportingKeelvane : public TKeelvane {
public:
    explicit TReportingKeelvane(std::ostream& Report);
    ~TReportingKeelvane() override;

    // Generation as a command runs it: a failure names the step and the parameters to look at,
    // and an error reported on the way (a point of the net not found) fails it too.
    void Generate() override;
    // A file that does not read names itself in the message.
    void LoadFromFile(const std::string& FileName) override;

    void ShowStatus(const std::string& Text) override;
    void ShowProgress(int Percent) override;
    void ShowMessage(const std::string& Text) override;
    // Takes a progress line off the terminal, so that what follows starts a clean line.
    void ClearLine();

private:
    std::ostream& FReport;
    std::string FStatus;
    int FErrors = 0;
    bool FLineShown = false; // a progress line waits to be rewritten or cleared
    std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

// The extents of the stored control net (empty extents for an empty net).
TExtents NetExtents(const TKeelvane& Model);
// "net NumU x NumV, x MinX .. MaxX, y MinY .. MaxY, z MinZ .. MaxZ", three decimals.
std::string NetSummary(const TKeelvane& Model);
