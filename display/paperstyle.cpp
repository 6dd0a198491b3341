// Screen colours turned to paper colours, and the dash patterns of the line styles.
#include "display/paperstyle.h"

namespace {

// Colours brighter than this (relative luminance, 0..1) wash out on paper...
constexpr double LightestPaperTone = 0.45;

int Channel(TColor Color, int Shift) {
    return static_cast<int>((Color >> Shift) & 0xFF);
}

TColor MakeColor(int R, int G, int B) {
    return static_cast<TColor>(R) | static_cast<TColor>(G) << 8 | static_cast<TColor>(B) << 16;
}

} // namespace

TColor PaperColor(TColor Color) {
    if (Color == clNone) return clNone;
    if (Color == clWhite) return clBlack;
    if (Color == clBlack) return clWhite;
    const int R = Channel(Color, 0), G = Channel(Color, 8), B = Channel(Color, 16);
    const double Luminance = (0.2126 * R + 0.7152 * G + 0.0722 * B) / 255;
    if (Luminance <= LightestPaperTone) return Color & 0xFFFFFF;
    // ...so they are darkened to that tone, keeping their hue.
    const double f = LightestPaperTone / Luminance;
    auto Scaled = [f](int c) { return static_cast<int>(c * f + 0.5); };
    return MakeColor(Scaled(R), Scaled(G), Scaled(B));
}

std::vector<double> DashPattern(TLineStyle Style) {
    switch (Style) {
    case lsDashed:
        return {6, 4};
    case lsDashDot:
        return {12, 3, 0.01, 3};
    case lsDotted:
        return {0.01, 2.5};
    case lsSolid:
        break;
    }
    return {};
}

double BaselineBelow(TVerticalAnchor Anchor) {
    static constexpr double Below[] = {0.8, 0.35, 0, -0.2};
    return Below[Anchor];
}
