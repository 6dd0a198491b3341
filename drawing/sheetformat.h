// The format of a drawing sheet: the paper sizes, the standard scales and the length units a
// sheet can be drawn in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// An ISO A sheet in landscape, in millimetres.
struct TPaperSize {
    std::string_view Name;
    double Width = 0, Height = 0;
};

// "A4", "A3", "A2", "A1" or "A0" (any case); none for another name.
std::optional<TPaperSize> PaperByName(std::string_view Name);
inline constexpr TPaperSize PaperA3{"A3", 420, 297};

// What one length unit of a project stands for. A project stores plain numbers; only a stated
// unit makes the scale of a sheet true.
enum TLengthUnit { luAsEntered, luMetre, luMillimetre, luFoot };

// "m", "mm" or "ft"; none for another name.
std::optional<TLengthUnit> LengthUnitByName(std::string_view Name);
// "m", "mm", "ft", or "as entered".
std::string_view LengthUnitName(TLengthUnit Unit);
// Millimetres in one unit; lengths as entered are taken as metres, the unit of ship design.
double MillimetresPerUnit(TLengthUnit Unit);

// The denominator N of a scale "1:N" (N a positive number); none for other text.
std::optional<double> ParseScale(std::string_view Text);
// "1:N", N in its shortest form.
std::string ScaleText(double Denominator);
// The standard scales, 1:1, 1:2, 1:5, 1:10, 1:20, 1:25, 1:50, 1:100 ... (1, 2, 2.5 and 5 times
// a power of ten from 1:10 on): the first whose denominator is at least N; none beyond 1:10^9.
std::optional<double> StandardScaleFrom(double N);
