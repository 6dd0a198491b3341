// The options of a lines plan sheet typed on the command line (--view, --paper, --scale,
// --unit), shared by the commands that draw one, with their help text.
#pragma once

#include <string>

class TArgumentList;
struct TLinesPlanOptions;

// Takes Option's value from A into Sheet when Option is one of the four; false for any other
// option. EUsageError for a value that names no view, paper, scale or unit.
bool TakeSheetOption(const std::string& Option, TArgumentList& A, TLinesPlanOptions& Sheet);

// The four options' lines of a command's help.
extern const char* const SheetOptionsHelp;
