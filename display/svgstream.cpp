// SVG output of device-level primitives, with the screen's colours mapped to paper.
#include "display/svgstream.h"

#include "geometry/errors.h"
#include "geometry/points.h"
#include "geometry/polygon.h"
#include "geometry/records.h"

#include <array>
#include <cmath>
#include <fstream>

namespace {

// Colours brighter than this (relative luminance, 0..1) wash out on paper...
constexpr double LightestPaperTone = 0.45;

int Channel(TColor Color, int Shift) {
    return static_cast<int>((Color >> Shift) & 0xFF);
}

TColor MakeColor(int R, int G, int B) {
    return static_cast<TColor>(R) | static_cast<TColor>(G) << 8 | static_cast<TColor>(B) << 16;
}

std::string Escaped(const std::string& S) {
    std::string Out;
    for (const char c : S) {
        switch (c) {
        case '&':
            Out += "&amp;";
            break;
        case '<':
            Out += "&lt;";
            break;
        case '>':
            Out += "&gt;";
            break;
        case '"':
            Out += "&quot;";
            break;
        default:
            Out += c;
        }
    }
    return Out;
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

std::string SvgColor(TColor Color) {
    if (Color == clNone) return "none";
    constexpr std::array<char, 16> Hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                       '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string S = "#";
    for (const int Shift : {0, 8, 16}) {
        const int c = Channel(Color, Shift);
        S += Hex[static_cast<std::size_t>(c >> 4)];
        S += Hex[static_cast<std::size_t>(c & 15)];
    }
    return S;
}

TSvgStream::TSvgStream(double Width, double Height) : FWidth(Width), FHeight(Height) {}

void TSvgStream::SetOrigin(double X, double Y) {
    FOriginX = X;
    FOriginY = Y;
}

std::string TSvgStream::Coord(double V, double Origin) const {
    return FixedText(V + Origin, 2);
}

std::string TSvgStream::Stroke(TColor Color) const {
    return " stroke=\"" + SvgColor(PaperColor(Color)) + "\" stroke-width=\"" +
           FixedText(FPenWidth, 2) + "\"";
}

void TSvgStream::Line(double X1, double Y1, double, double X2, double Y2, double) {
    FBody += "<line x1=\"" + Coord(X1, FOriginX) + "\" y1=\"" + Coord(Y1, FOriginY) + "\" x2=\"" +
             Coord(X2, FOriginX) + "\" y2=\"" + Coord(Y2, FOriginY) + "\"" + Stroke(FLineColor) +
             "/>\n";
}

void TSvgStream::Circle(double X, double Y, double, double Radius) {
    FBody += "<circle cx=\"" + Coord(X, FOriginX) + "\" cy=\"" + Coord(Y, FOriginY) + "\" r=\"" +
             FixedText(std::abs(Radius), 2) + "\" fill=\"none\"" + Stroke(FLineColor) + "/>\n";
}

std::string TSvgStream::PointsAttribute(const TRPoints& Points) const {
    std::string S;
    for (int i = 0; i < Points.Count(); ++i) {
        if (i > 0) S += ' ';
        S += Coord(Points.At(i).X, FOriginX) + "," + Coord(Points.At(i).Y, FOriginY);
    }
    return S;
}

void TSvgStream::DrawPolygon(const TPolygon& Polygon) {
    TRPoints Corners;
    for (const TRPoint* P : {&Polygon.P1, &Polygon.P2, &Polygon.P3, Polygon.P4()})
        if (P) Corners.Add(TRPoint::CreateCopy(*P));
    FBody += "<polygon points=\"" + PointsAttribute(Corners) + "\" fill=\"" +
             SvgColor(PaperColor(Polygon.FillColor)) + "\"" + Stroke(Polygon.LineColor) + "/>\n";
}

void TSvgStream::DrawPoints(const TRPoints& Points) {
    if (Points.Count() == 0) return;
    const TColor Pen = Points.UseColors ? Points.LineColor : FLineColor;
    // Without colours of its own a filled list takes the screen's background, white on paper.
    const TColor Fill = Points.UseColors ? Points.FillColor : clBlack;
    const std::string Element = Points.Filled ? "polygon" : "polyline";
    const std::string FillText = Points.Filled ? SvgColor(PaperColor(Fill)) : "none";
    FBody += "<" + Element + " points=\"" + PointsAttribute(Points) + "\" fill=\"" + FillText +
             "\"" + Stroke(Pen) + " stroke-linejoin=\"round\"/>\n";
}

void TSvgStream::Text(const std::string& S, double X, double Y, double) {
    // SVG places text by its baseline; the stream is given the top-left corner.
    FBody += "<text x=\"" + Coord(X, FOriginX) + "\" y=\"" + Coord(Y + FFontSize * 0.8, FOriginY) +
             "\" font-family=\"sans-serif\" font-size=\"" + FixedText(FFontSize, 2) + "\" fill=\"" +
             SvgColor(PaperColor(FLineColor)) + "\">" + Escaped(S) + "</text>\n";
}

double TSvgStream::TextHeight(const std::string&) {
    return FFontSize;
}

double TSvgStream::TextWidth(const std::string& S) {
    return 0.6 * FFontSize * static_cast<double>(S.size());
}

std::string TSvgStream::Document() const {
    const std::string W = FixedText(FWidth, 2), H = FixedText(FHeight, 2);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           W + "\" height=\"" + H + "\" viewBox=\"0 0 " + W + " " + H +
           "\" stroke-linecap=\"round\">\n<rect x=\"0\" y=\"0\" width=\"" + W + "\" height=\"" + H +
           "\" fill=\"#ffffff\" stroke=\"none\"/>\n" + FBody + "</svg>\n";
}

void TSvgStream::SaveToFile(const std::string& FileName) const {
    std::ofstream File(FileName, std::ios::binary);
    if (!File) throw EIOError("Unable to create file " + FileName);
    File << Document();
    CloseWrittenFile(File, FileName);
}
