// Shared conventions of the geometry text records: locale-free number formats, a CRLF line
// writer, a line/number reader, and the parsing of key=value fields.
#pragma once

#include <iosfwd>
#include <istream>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>

// v in fixed notation with the given decimals: "12.500", "-0.250"; never "-0.000".
std::string FixedText(double v, int decimals);
// FixedText right-aligned in width characters. A value that fills the width (or more) is written
// in full after one blank, so that fields written side by side always stay apart.
std::string FixedField(double v, int decimals, int width);
// The general format: shortest text of at most 15 significant digits, fixed notation when
// 1e-5 <= |v| < 1e15 (or v = 0), else mantissa "E" exponent: 0.5, 2, 1E-6, 1.5E20.
std::string GeneralText(double v);

// Writes record lines, each ended by CR LF; a failed write raises EIOError.
class TTextWriter {
public:
    explicit TTextWriter(std::ostream& Stream) : FStream(Stream) {}
    void Line(std::string_view Text);
    void Key(std::string_view Key, std::string_view Value);
    void Key(std::string_view Key, long long Value);

private:
    std::ostream& FStream;
};

inline const char* const ReadPastEndText = "Read beyond end of file";
inline const char* const InvalidNumericInputText = "Invalid numeric input";

// Reads records line by line, or number by number across blanks, tabs and line ends.
// Malformed numbers and reads past the end raise EReadError.
class TTextReader {
public:
    explicit TTextReader(std::istream& Stream) : FStream(Stream) {}
    // The next whole line without CR/LF, or the rest of the current line after ReadNumber.
    std::string ReadLine();
    bool AtEnd();
    double ReadNumber();
    // Skips the rest of the current line.
    void SkipLine();

private:
    std::istream& FStream;
    bool FMidLine = false; // a number was read and its line end not yet consumed
};

// The text after the first "=" (the whole line when none), cut to 255 characters, trimmed.
std::string FieldValue(std::string_view Line);
// The field's value as an integer in Min ... Max / as a number; anything else raises EReadError
// "Error in field " + Field, where Field names the record and key, e.g. "Polyline.NumPoints".
int FieldInteger(std::string_view Line, std::string_view Field,
                 int Min = std::numeric_limits<int>::min(),
                 int Max = std::numeric_limits<int>::max());
double FieldNumber(std::string_view Line, std::string_view Field);
