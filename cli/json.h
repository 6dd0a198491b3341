// JSON text of the command-line tool's reports.
#pragma once

#include <string>

// S as a quoted JSON string, with quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& S);
