// Float-to-text formatting of grid cells. A value is taken as the shortest decimal that reads
// back as it (what the user typed), and that decimal is rounded half away from zero, so 0.125
// shows as 0.13 with two decimals, as a user expects.
#include "grid/floatformat.h"

#include "geometry/errors.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int MaxExponentDigits = 4;
constexpr int MaxDecimals = 18;

// A non-negative decimal 0.D1D2D3... x 10^Exponent; no digits is zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
};

TDecimal ShortestDecimal(double Magnitude) {
    if (Magnitude == 0.0) return {};
    std::array<char, 64> Buffer;
    const auto Result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), Magnitude,
                                      std::chars_format::scientific);
    const std::string Text(Buffer.data(), Result.ptr);
    const std::size_t E = Text.find('e');
    std::string Digits = Text.substr(0, E);
    std::erase(Digits, '.');
    return {Digits, std::atoi(Text.c_str() + E + 1) + 1};
}

// D cut to its first Keep digits, rounded half away from zero (a carry may add a digit).
TDecimal Rounded(TDecimal D, int Keep) {
    if (Keep < 0) return {};
    if (static_cast<int>(D.Digits.size()) <= Keep) return D;
    const bool Up = D.Digits[Keep] >= '5';
    D.Digits.resize(Keep);
    if (!Up) return D;
    int i = Keep - 1;
    while (i >= 0 && D.Digits[i] == '9') D.Digits[i--] = '0';
    if (i >= 0) {
        ++D.Digits[i];
    } else {
        D.Digits.insert(D.Digits.begin(), '1');
        ++D.Exponent;
    }
    return D;
}

bool IsZero(const TDecimal& D) {
    return D.Digits.find_first_not_of('0') == std::string::npos;
}

// The K-th digit counted from the first (0-based); positions outside the digits are zeros.
char DigitAt(const TDecimal& D, int K) {
    return K >= 0 && K < static_cast<int>(D.Digits.size()) ? D.Digits[K] : '0';
}

std::string FixedNotation(const TDecimal& D, int Decimals) {
    const TDecimal R = Rounded(D, D.Exponent + Decimals);
    std::string Text;
    for (int K = 0; K < R.Exponent; ++K) Text += DigitAt(R, K);
    if (Text.empty()) Text = "0";
    if (Decimals > 0) Text += '.';
    for (int K = R.Exponent; K < R.Exponent + Decimals; ++K) Text += DigitAt(R, K);
    return Text;
}

// Mantissa d.ddd with Significant digits, and the exponent of the rounded value.
std::pair<std::string, int> ScientificNotation(const TDecimal& D, int Significant) {
    const TDecimal R = Rounded(D, Significant);
    std::string Mantissa(1, DigitAt(R, 0));
    if (Significant > 1) Mantissa += '.';
    for (int K = 1; K < Significant; ++K) Mantissa += DigitAt(R, K);
    return {Mantissa, IsZero(R) ? 0 : R.Exponent - 1};
}

// "1.2500" -> "1.25", "2.000" -> "2".
std::string WithoutTrailingZeros(std::string Text) {
    if (Text.find('.') == std::string::npos) return Text;
    Text.erase(Text.find_last_not_of('0') + 1);
    if (Text.back() == '.') Text.pop_back();
    return Text;
}

std::string ExponentText(int Exponent, bool AlwaysSigned, int MinDigits) {
    std::string Digits = std::to_string(std::abs(Exponent));
    if (static_cast<int>(Digits.size()) < MinDigits)
        Digits.insert(0, MinDigits - Digits.size(), '0');
    if (Exponent < 0) return "-" + Digits;
    return AlwaysSigned ? "+" + Digits : Digits;
}

std::string GeneralFormat(const TDecimal& D, int Precision) {
    const auto [Mantissa, Exponent] = ScientificNotation(D, Precision);
    // The exponent after rounding decides the notation: 9.9996 at 4 digits is 10, not 9.999E0.
    if (Exponent < -5 || Exponent >= Precision)
        return WithoutTrailingZeros(Mantissa) + "E" + ExponentText(Exponent, false, 0);
    return WithoutTrailingZeros(FixedNotation(D, Precision - 1 - Exponent));
}

std::string ExponentFormat(const TDecimal& D, int Precision, int Digits) {
    const auto [Mantissa, Exponent] = ScientificNotation(D, Precision);
    return Mantissa + "E" + ExponentText(Exponent, true, std::clamp(Digits, 0, MaxExponentDigits));
}

// Inserts "," between each group of three digits of the integer part.
std::string Grouped(std::string Text) {
    const std::size_t Point = std::min(Text.find('.'), Text.size());
    for (std::size_t i = Point; i > 3; i -= 3) Text.insert(i - 3, ",");
    return Text;
}

std::string FixedFormat(const TDecimal& D, TFloatFormat Format, int Precision, int Digits) {
    const std::string Text = FixedNotation(D, std::clamp(Digits, 0, MaxDecimals));
    const auto IntegerDigits = static_cast<int>(std::min(Text.find('.'), Text.size()));
    if (IntegerDigits > Precision) return GeneralFormat(D, Precision);
    if (Format == ffFixed) return Text;
    if (Format == ffNumber) return Grouped(Text);
    return "$" + Grouped(Text);
}

} // namespace

std::string FormatFloat(double Value, TFloatFormat Format, int Precision, int Digits) {
    Finite(Value);
    if (Precision < 1 || Precision > MaxFloatPrecision) Precision = MaxFloatPrecision;
    const TDecimal D = ShortestDecimal(std::abs(Value));
    std::string Text;
    switch (Format) {
    case ffGeneral:
        Text = GeneralFormat(D, Precision);
        break;
    case ffExponent:
        Text = ExponentFormat(D, Precision, Digits);
        break;
    default:
        Text = FixedFormat(D, Format, Precision, Digits);
        break;
    }
    // A value that rounds to zero shows no sign.
    const bool Zero = Text.find_first_of("123456789") == std::string::npos;
    return Value < 0.0 && !Zero ? "-" + Text : Text;
}
