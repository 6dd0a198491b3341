// The shared conventions of the geometry text records: number formats, line writer and reader,
// key=value fields. Numbers never pass through the locale.
#include "geometry/records.h"

#include "geometry/errors.h"
#include "geometry/textutil.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace {

// Width of any double in fixed notation with up to a few dozen decimals.
constexpr std::size_t FixedBufferSize = 400;

// "-0.000" and "-0" carry no meaning in a file: a value that rounds to zero is written unsigned.
std::string DropNegativeZero(std::string Text) {
    if (!Text.empty() && Text.front() == '-' &&
        Text.find_first_not_of("0.", 1) == std::string::npos)
        Text.erase(0, 1);
    return Text;
}

// "1.2500" -> "1.25", "2.000" -> "2"; text without a point is left alone.
std::string StripTrailingZeros(std::string Text) {
    if (Text.find('.') == std::string::npos) return Text;
    Text.erase(Text.find_last_not_of('0') + 1);
    if (Text.back() == '.') Text.pop_back();
    return Text;
}

} // namespace

std::string FixedText(double v, int decimals) {
    Finite(v);
    std::array<char, FixedBufferSize> Buffer;
    const auto Result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), v,
                                      std::chars_format::fixed, std::max(decimals, 0));
    if (Result.ec != std::errc()) throw EMathError(OverflowText);
    return DropNegativeZero(std::string(Buffer.data(), Result.ptr));
}

std::string FixedField(double v, int decimals, int width) {
    std::string Text = FixedText(v, decimals);
    const auto Size = static_cast<int>(Text.size());
    Text.insert(0, static_cast<std::size_t>(Size < width ? width - Size : 1), ' ');
    return Text;
}

std::string GeneralText(double v) {
    constexpr int Precision = 15;
    Finite(v);
    if (v == 0.0) return "0";
    // Round to 15 significant digits first: the rounded exponent decides the notation.
    std::array<char, 64> Buffer;
    const auto Result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), v,
                                      std::chars_format::scientific, Precision - 1);
    const std::string Scientific(Buffer.data(), Result.ptr);
    const std::size_t E = Scientific.find('e');
    const int Exponent = std::atoi(Scientific.c_str() + E + 1);
    if (Exponent >= -5 && Exponent < Precision) {
        // Fixed notation with exactly the decimals that 15 significant digits leave.
        return StripTrailingZeros(FixedText(v, Precision - 1 - Exponent));
    }
    return StripTrailingZeros(Scientific.substr(0, E)) + "E" + std::to_string(Exponent);
}

void TTextWriter::Line(std::string_view Text) {
    FStream << Text << "\r\n";
    if (!FStream) throw EIOError("Unable to write file");
}

void TTextWriter::Key(std::string_view Key, std::string_view Value) {
    std::string Text(Key);
    Text += '=';
    Text += Value;
    Line(Text);
}

void TTextWriter::Key(std::string_view Key, long long Value) {
    this->Key(Key, std::to_string(Value));
}

std::string TTextReader::ReadLine() {
    std::string Text;
    if (!std::getline(FStream, Text)) {
        // The rest of a last line that ended without a line end is empty, not an error.
        if (!FMidLine) throw EReadError(ReadPastEndText);
        FStream.clear(FStream.rdstate() & ~std::ios::failbit);
    }
    FMidLine = false;
    if (!Text.empty() && Text.back() == '\r') Text.pop_back();
    return Text;
}

bool TTextReader::AtEnd() {
    return FStream.peek() == std::istream::traits_type::eof();
}

double TTextReader::ReadNumber() {
    const auto IsSeparator = [](int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (IsSeparator(FStream.peek())) FStream.get();
    std::string Token;
    while (!AtEnd() && !IsSeparator(FStream.peek())) Token += static_cast<char>(FStream.get());
    if (Token.empty()) throw EReadError(ReadPastEndText);
    const auto Value = TextToNumber(Token);
    if (!Value) throw EReadError(InvalidNumericInputText);
    FMidLine = true;
    return *Value;
}

void TTextReader::SkipLine() {
    FStream.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    FMidLine = false;
}

std::string FieldValue(std::string_view Line) {
    constexpr std::size_t MaxValueLength = 255;
    const std::size_t Equals = Line.find('=');
    const std::string_view Value =
        Equals == std::string_view::npos ? Line : Line.substr(Equals + 1);
    return Trim(Value.substr(0, MaxValueLength));
}

namespace {

[[noreturn]] void RaiseFieldError(std::string_view Field) {
    throw EReadError("Error in field " + std::string(Field));
}

} // namespace

int FieldInteger(std::string_view Line, std::string_view Field, int Min, int Max) {
    const auto Value = TextToInteger(FieldValue(Line));
    if (!Value || *Value < Min || *Value > Max) RaiseFieldError(Field);
    return *Value;
}

double FieldNumber(std::string_view Line, std::string_view Field) {
    const auto Value = TextToNumber(FieldValue(Line));
    if (!Value) RaiseFieldError(Field);
    return *Value;
}
