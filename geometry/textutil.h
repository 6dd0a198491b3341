// Text utilities: strict locale-free text-to-number conversions, word splitting, tab expansion
// and the program's base name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline const char* const TextConvertErrorText = "Unable to convert text to number";
inline const char* const StringConvertErrorText = "Unable to convert string to number";

// S without leading and trailing blanks and control characters.
std::string Trim(std::string_view S);
// S trimmed, converted whole as a decimal number with "." as the decimal point; no inf or nan.
std::optional<double> TextToNumber(std::string_view S);
// S (not trimmed) converted whole as a 32-bit decimal integer.
std::optional<int32_t> TextToInteger(std::string_view S);
// As TextToNumber; raises EConvertError "Unable to convert string to number".
double StrToNumber(std::string_view S);

// Every tab replaced by four spaces.
std::string ExpandTabs(std::string_view S);
// Number of maximal runs of non-space characters after ExpandTabs.
int WordCount(std::string_view S);
// The N-th (1-based) word of S trimmed and tab-expanded, cut to 255 characters; "" when none.
std::string ExtractWord(std::string_view S, int N);

// The executable's file name without its folder, cut before its first "." (if any) and
// lower-cased (ASCII only, whatever the locale).
std::string BaseNameOf(std::string_view ExecutablePath);
const std::string& ProgramBaseName();
// Set once at start-up from the path of the running executable.
void SetProgramBaseName(std::string_view ExecutablePath);
