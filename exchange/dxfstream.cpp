// The DXF R12 writer: HEADER (release, extents), TABLES (line types, layers, text style) and the
// ENTITIES kept as they were drawn; numbers with "." whatever the locale.
#include "exchange/dxfstream.h"

#include "geometry/points.h"
#include "geometry/polygon.h"
#include "geometry/records.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// The foreground colour: black on a white sheet, white on a dark screen.
constexpr int ForegroundIndex = 7;

std::array<double, 3> Rgb(TColor Color) {
    return {static_cast<double>(Color & 0xFF), static_cast<double>((Color >> 8) & 0xFF),
            static_cast<double>((Color >> 16) & 0xFF)};
}

// The colour of palette index 1..6 or 10..249: 24 hues 15 degrees apart, each in five shades,
// full and half saturated.
std::array<double, 3> PaletteColor(int Index) {
    if (Index < 10)
        return Rgb(std::array<TColor, 7>{0, 0xFF, 0xFFFF, 0xFF00, 0xFFFF00, 0xFF0000,
                                         0xFF00FF}[static_cast<std::size_t>(Index)]);
    static constexpr double Shades[] = {255, 165, 127, 76, 38};
    const double Value = Shades[(Index % 10) / 2];
    const double Low = Index % 2 == 0 ? 0 : Value / 2;
    const double Hue = (Index / 10 - 1) * 15.0 / 60; // in sextants
    const auto Channel = [&](double Offset) {
        // The distance of the hue from the channel's own, in sextants around the circle.
        const double d = std::abs(std::fmod(Hue - Offset + 9, 6) - 3);
        return Low + (Value - Low) * std::clamp(2 - d, 0.0, 1.0);
    };
    return {Channel(0), Channel(2), Channel(4)};
}

// An sRGB colour in CIE L*a*b* (D65), where distances are close to the differences the eye sees.
std::array<double, 3> Lab(const std::array<double, 3>& Rgb) {
    double Linear[3];
    for (std::size_t k = 0; k < 3; ++k) {
        const double c = Rgb[k] / 255;
        Linear[k] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    const auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    const double X = f((0.4124 * Linear[0] + 0.3576 * Linear[1] + 0.1805 * Linear[2]) / 0.95047);
    const double Y = f(0.2126 * Linear[0] + 0.7152 * Linear[1] + 0.0722 * Linear[2]);
    const double Z = f((0.0193 * Linear[0] + 0.1192 * Linear[1] + 0.9505 * Linear[2]) / 1.08883);
    return {116 * Y - 16, 500 * (X - Y), 200 * (Y - Z)};
}

// The palette index nearest a screen colour as it prints on paper; black prints as the
// foreground colour.
int PaletteIndex(TColor ScreenColor) {
    const TColor Paper = PaperColor(ScreenColor);
    if (Paper == clBlack) return ForegroundIndex;
    static const auto Palette = [] {
        std::array<std::array<double, 3>, 250> Colors{};
        for (int Index = 1; Index < 250; Index = Index == 6 ? 10 : Index + 1)
            Colors[static_cast<std::size_t>(Index)] = Lab(PaletteColor(Index));
        return Colors;
    }();
    const auto Wanted = Lab(Rgb(Paper));
    int Best = ForegroundIndex;
    double BestDistance = 1e9;
    for (int Index = 1; Index < 250; Index = Index == 6 ? 10 : Index + 1) {
        const auto& C = Palette[static_cast<std::size_t>(Index)];
        double Distance = 0;
        for (std::size_t k = 0; k < 3; ++k) Distance += (C[k] - Wanted[k]) * (C[k] - Wanted[k]);
        if (Distance < BestDistance) {
            BestDistance = Distance;
            Best = Index;
        }
    }
    return Best;
}

const char* LineTypeName(TLineStyle Style) {
    static constexpr const char* Names[] = {"CONTINUOUS", "DASHED", "DASHDOT", "DOT"};
    return Names[Style];
}

// Points closer than this along every axis are one: a hundredth of a micrometre on the sheet, as
// in the model, where lengths are metres or millimetres.
constexpr double Coincident = 1e-5;

// Line types are drawn at a fixed length, the pattern's lengths for a pen of this width.
constexpr double PatternPen = 0.25;

// A font's capitals are about this part of its size; DXF measures texts by their capitals.
constexpr double CapitalHeight = 0.7;
// Average width of a character in the plain text font, relative to its size.
constexpr double CharacterWidth = 0.6;

// The characters of the file's code page (ANSI 1252) as its bytes: ASCII and the Latin-1 letters;
// others as the "\U+XXXX" escapes DXF readers decode. Bytes that are not UTF-8 pass as Latin-1.
std::string DxfText(const std::string& S) {
    std::string Out;
    const auto Byte = [&](std::size_t k) { return static_cast<unsigned char>(S[k]); };
    for (std::size_t i = 0; i < S.size();) {
        const std::size_t Length = Byte(i) < 0xC0 ? 1 : Byte(i) < 0xE0 ? 2 : Byte(i) < 0xF0 ? 3 : 4;
        unsigned Code = Byte(i) & (0xFFu >> (Length == 1 ? 0 : Length + 1));
        bool Valid = Length > 1 && i + Length <= S.size();
        for (std::size_t k = 1; Valid && k < Length; ++k) {
            Valid = (Byte(i + k) & 0xC0u) == 0x80u;
            Code = Code << 6 | (Byte(i + k) & 0x3Fu);
        }
        if (!Valid) { // ASCII, or a byte that starts no UTF-8 character
            Out += S[i++];
            continue;
        }
        if (Code >= 0xA0 && Code <= 0xFF) {
            Out += static_cast<char>(Code);
        } else {
            char Escape[12];
            std::snprintf(Escape, sizeof Escape, "\\U+%04X", Code);
            Out += Escape;
        }
        i += Length;
    }
    return Out;
}

// Whether B lies on the segment from A to C in the sheet's plane, between its ends.
bool Inside(const TRPoint& A, const TRPoint& B, const TRPoint& C) {
    const double ux = C.X - A.X, uy = C.Y - A.Y, Length = std::hypot(ux, uy);
    if (!(Length > 0)) return false;
    const double bx = B.X - A.X, by = B.Y - A.Y;
    const double Along = (bx * ux + by * uy) / Length;
    return std::abs(bx * uy - by * ux) / Length <= Coincident && Along > 0 && Along < Length;
}

// The points of a polyline worth writing: none on the one before it (a line seen end on adds
// segments without direction), and on the sheet none inside a straight run (a plane seen edge on
// is a straight line, however many points its section has).
std::vector<const TRPoint*> Corners(const TRPoints& Points, bool ThreeD) {
    std::vector<const TRPoint*> Kept;
    for (int i = 0; i < Points.Count(); ++i) {
        const TRPoint& P = Points.At(i);
        if (!Kept.empty() && std::abs(P.X - Kept.back()->X) <= Coincident &&
            std::abs(P.Y - Kept.back()->Y) <= Coincident &&
            (!ThreeD || std::abs(P.Z - Kept.back()->Z) <= Coincident))
            continue;
        if (!ThreeD && Kept.size() >= 2 && Inside(*Kept[Kept.size() - 2], *Kept.back(), P))
            Kept.back() = &P;
        else
            Kept.push_back(&P);
    }
    return Kept;
}

class TGroups {
public:
    void operator()(int Code, const std::string& Value) {
        Text += std::to_string(Code) + "\n" + Value + "\n";
    }
    std::string Text;
};

} // namespace

TDxfStream::TDxfStream(double SheetHeight)
    : TPaperStream({0, lsSolid, {2.5}}), FHeight(SheetHeight) {}

std::size_t TDxfStream::LayerIndex(const std::string& Name) {
    const std::string Wanted = Name.empty() ? "0" : Name;
    const auto Found = std::find_if(FLayers.begin(), FLayers.end(),
                                    [&](const TLayer& L) { return L.Name == Wanted; });
    if (Found != FLayers.end()) return static_cast<std::size_t>(Found - FLayers.begin());
    FLayers.push_back({Wanted});
    return FLayers.size() - 1;
}

void TDxfStream::SetLayer(const std::string& Name) {
    FLayer = LayerIndex(Name);
}

void TDxfStream::Group(int Code, const std::string& Value) {
    FEntities.append(std::to_string(Code)).append(1, '\n').append(Value).append(1, '\n');
}

void TDxfStream::Number(int Code, double Value) {
    Group(Code, GeneralText(Value));
}

void TDxfStream::Entity(const char* Kind, std::size_t Layer, TColor Color, bool Sheet) {
    Group(0, Kind);
    Group(8, FLayers[Layer].Name);
    if (Color != FPaletteColor) {
        FPaletteColor = Color;
        FPaletteIndex = PaletteIndex(Color);
    }
    const int Index = FPaletteIndex;
    if (FLayers[Layer].Color == 0) FLayers[Layer].Color = Index;
    if (Index != FLayers[Layer].Color) Group(62, std::to_string(Index));
    if (!Sheet) return;
    if (FPen.Style != lsSolid) {
        Group(6, LineTypeName(FPen.Style));
        if (std::find(FLineTypes.begin(), FLineTypes.end(), FPen.Style) == FLineTypes.end())
            FLineTypes.push_back(FPen.Style);
    }
    if (FPaperSpace) Group(67, "1");
}

void TDxfStream::TBox::Include(double X, double Y, double Z) {
    const double P[3] = {X, Y, Z};
    for (std::size_t k = 0; k < 3; ++k) {
        Min[k] = Empty ? P[k] : std::min(Min[k], P[k]);
        Max[k] = Empty ? P[k] : std::max(Max[k], P[k]);
    }
    Empty = false;
}

void TDxfStream::SheetPoint(int Offset, double X, double Y) {
    (FPaperSpace ? FPaperBox : FModelBox).Include(X, FHeight - Y, 0);
    // A tenth of a micrometre on paper is finer than any plotter draws.
    const auto Sheet = [](double V) { return GeneralText(std::round(V * 1e4) / 1e4 + 0.0); };
    Group(10 + Offset, Sheet(X));
    Group(20 + Offset, Sheet(FHeight - Y));
    Group(30 + Offset, "0");
}

void TDxfStream::Line(double X1, double Y1, double, double X2, double Y2, double) {
    Entity("LINE", FLayer, FLineColor, true);
    SheetPoint(0, X1, Y1);
    SheetPoint(1, X2, Y2);
}

void TDxfStream::Circle(double X, double Y, double, double Radius) {
    Entity("CIRCLE", FLayer, FLineColor, true);
    SheetPoint(0, X, Y);
    Number(40, std::abs(Radius));
}

void TDxfStream::Polyline(const TRPoints& Points, bool ThreeD, std::size_t Layer) {
    const std::vector<const TRPoint*> Kept = Corners(Points, ThreeD);
    if (Kept.size() < 2) return;
    Entity("POLYLINE", Layer, Points.UseColors ? Points.LineColor : FLineColor, !ThreeD);
    Group(66, "1");
    Number(10, 0);
    Number(20, 0);
    Number(30, 0);
    // Flags: 1 closed, 8 a 3-D polyline.
    Group(70, std::to_string((Points.Filled ? 1 : 0) + (ThreeD ? 8 : 0)));
    const auto Head = [&](const char* Kind) {
        Group(0, Kind);
        Group(8, FLayers[Layer].Name);
        if (!ThreeD && FPaperSpace) Group(67, "1");
    };
    for (const TRPoint* Point : Kept) {
        const TRPoint& P = *Point;
        Head("VERTEX");
        if (ThreeD) {
            FModelBox.Include(P.X, P.Y, P.Z);
            Number(10, P.X);
            Number(20, P.Y);
            Number(30, P.Z);
            Group(70, "32");
        } else {
            SheetPoint(0, P.X, P.Y);
        }
    }
    Head("SEQEND");
}

void TDxfStream::DrawPoints(const TRPoints& Points) {
    Polyline(Points, false, FLayer);
}

void TDxfStream::DrawPolygon(const TPolygon& Polygon) {
    TRPoints Corners;
    for (const TRPoint* P : {&Polygon.P1, &Polygon.P2, &Polygon.P3, Polygon.P4()})
        if (P) Corners.Add(TRPoint::CreateCopy(*P));
    Corners.Filled = true;
    Polyline(Corners, false, FLayer);
}

void TDxfStream::Text(const std::string& S, double X, double Y, double) {
    const TTextStyle& T = FPen.Text;
    // DXF's vertical alignments by anchor: top, middle, baseline, bottom.
    static constexpr int Vertical[] = {3, 2, 0, 1};
    Entity("TEXT", FLayer, FLineColor, true);
    SheetPoint(0, X, Y);
    Number(40, CapitalHeight * T.Size);
    Group(1, DxfText(S));
    if (T.Angle != 0) Number(50, T.Angle);
    if (T.Horizontal == haLeft && T.Vertical == vaBaseline) return;
    // Aligned otherwise than at the left of the baseline, a text is placed by its second point.
    Group(72, std::to_string(static_cast<int>(T.Horizontal)));
    SheetPoint(1, X, Y);
    Group(73, std::to_string(Vertical[T.Vertical]));
}

double TDxfStream::TextHeight(const std::string&) {
    return FPen.Text.Size;
}

double TDxfStream::TextWidth(const std::string& S) {
    return CharacterWidth * FPen.Text.Size * static_cast<double>(S.size());
}

void TDxfStream::AddPolyline3D(const TRPoints& Points, const std::string& Layer) {
    Polyline(Points, true, LayerIndex(Layer));
}

void TDxfStream::Write(std::ostream& Out) const {
    TGroups G;
    G(0, "SECTION");
    G(2, "HEADER");
    G(9, "$ACADVER");
    G(1, "AC1009");
    G(9, "$DWGCODEPAGE");
    G(3, "ANSI_1252");
    G(9, "$INSBASE");
    for (const int Code : {10, 20, 30}) G(Code, "0");
    const auto Extents = [&](const char* Name, const TBox& Box) {
        for (const auto& [Corner, Values] :
             {std::pair{"MIN", Box.Min}, std::pair{"MAX", Box.Max}}) {
            G(9, std::string(Name) + Corner);
            for (std::size_t k = 0; k < 3; ++k)
                G(10 * static_cast<int>(k + 1), GeneralText(Values[k]));
        }
    };
    Extents("$EXT", FModelBox);
    if (!FPaperBox.Empty) Extents("$PEXT", FPaperBox);
    G(0, "ENDSEC");

    G(0, "SECTION");
    G(2, "TABLES");
    G(0, "TABLE");
    G(2, "LTYPE");
    G(70, std::to_string(FLineTypes.size() + 1));
    const auto LineType = [&](TLineStyle Style) {
        // Dashes are positive, gaps negative, the shortest dashes dots.
        std::vector<double> Pattern;
        for (const double Length : DashPattern(Style)) {
            const double Sign = Pattern.size() % 2 == 0 ? 1 : -1;
            Pattern.push_back(Length < 0.1 ? 0.0 : Sign * Length * PatternPen);
        }
        double Total = 0;
        for (const double Length : Pattern) Total += std::abs(Length);
        G(0, "LTYPE");
        G(2, LineTypeName(Style));
        G(70, "0");
        G(3, Style == lsSolid ? "Solid line" : LineTypeName(Style));
        G(72, "65");
        G(73, std::to_string(Pattern.size()));
        G(40, GeneralText(Total));
        for (const double Length : Pattern) G(49, GeneralText(Length));
    };
    LineType(lsSolid);
    for (const TLineStyle Style : FLineTypes) LineType(Style);
    G(0, "ENDTAB");
    G(0, "TABLE");
    G(2, "LAYER");
    G(70, std::to_string(FLayers.size()));
    for (const TLayer& Layer : FLayers) {
        G(0, "LAYER");
        G(2, Layer.Name);
        G(70, "0");
        G(62, std::to_string(Layer.Color == 0 ? ForegroundIndex : Layer.Color));
        G(6, "CONTINUOUS");
    }
    G(0, "ENDTAB");
    G(0, "TABLE");
    G(2, "STYLE");
    G(70, "1");
    G(0, "STYLE");
    G(2, "STANDARD");
    G(70, "0");
    G(40, "0");
    G(41, "1");
    G(50, "0");
    G(71, "0");
    G(42, "2.5");
    G(3, "txt");
    G(4, "");
    G(0, "ENDTAB");
    G(0, "ENDSEC");

    G(0, "SECTION");
    G(2, "ENTITIES");
    Out << G.Text << FEntities << "0\nENDSEC\n0\nEOF\n";
}

std::string TDxfStream::Document() const {
    std::ostringstream Out;
    Write(Out);
    return Out.str();
}
