// Paper sizes, standard scales and length units of a drawing sheet.
#include "drawing/sheetformat.h"

#include "geometry/records.h"
#include "geometry/textutil.h"

#include <array>
#include <cctype>
#include <cmath>

namespace {

constexpr std::array<TPaperSize, 5> Papers{
    {{"A4", 297, 210}, {"A3", 420, 297}, {"A2", 594, 420}, {"A1", 841, 594}, {"A0", 1189, 841}}};

// The largest denominator a sheet is drawn at: beyond it no hull shows anything.
constexpr double LargestDenominator = 1e9;

} // namespace

std::optional<TPaperSize> PaperByName(std::string_view Name) {
    for (const TPaperSize& Paper : Papers)
        if (Name.size() == 2 && std::toupper(static_cast<unsigned char>(Name[0])) == 'A' &&
            Name[1] == Paper.Name[1])
            return Paper;
    return std::nullopt;
}

std::optional<TLengthUnit> LengthUnitByName(std::string_view Name) {
    if (Name == "m") return luMetre;
    if (Name == "mm") return luMillimetre;
    if (Name == "ft") return luFoot;
    return std::nullopt;
}

std::string_view LengthUnitName(TLengthUnit Unit) {
    switch (Unit) {
    case luMetre:
        return "m";
    case luMillimetre:
        return "mm";
    case luFoot:
        return "ft";
    case luAsEntered:
        break;
    }
    return "as entered";
}

double MillimetresPerUnit(TLengthUnit Unit) {
    switch (Unit) {
    case luMillimetre:
        return 1;
    case luFoot:
        return 304.8;
    case luMetre:
    case luAsEntered:
        break;
    }
    return 1000;
}

std::optional<double> ParseScale(std::string_view Text) {
    const auto Colon = Text.find(':');
    if (Colon == std::string_view::npos || Trim(Text.substr(0, Colon)) != "1") return std::nullopt;
    const auto N = TextToNumber(Text.substr(Colon + 1));
    if (!N || !(*N > 0) || *N > LargestDenominator) return std::nullopt;
    return N;
}

std::string ScaleText(double Denominator) {
    return "1:" + GeneralText(Denominator);
}

std::optional<double> StandardScaleFrom(double N) {
    for (double Decade = 1; Decade <= LargestDenominator; Decade *= 10)
        for (const double Step : {1.0, 2.0, 2.5, 5.0}) {
            if (Decade == 1 && Step == 2.5) continue;
            if (Step * Decade > LargestDenominator) break;
            if (Step * Decade >= N * (1 - 1e-12)) return Step * Decade;
        }
    return std::nullopt;
}
