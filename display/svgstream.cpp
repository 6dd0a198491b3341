// SVG output of device-level primitives, with the screen's colours mapped to paper.
#include "display/svgstream.h"

#include "geometry/points.h"
#include "geometry/polygon.h"
#include "geometry/records.h"
#include "geometry/safefile.h"

#include <array>
#include <cmath>

namespace {

int Channel(TColor Color, int Shift) {
    return static_cast<int>((Color >> Shift) & 0xFF);
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

TSvgStream::TSvgStream(double Width, double Height, std::string Unit)
    : TPaperStream({1, lsSolid, {12}}), FWidth(Width), FHeight(Height), FUnit(std::move(Unit)) {}

void TSvgStream::SetOrigin(double X, double Y) {
    FOriginX = X;
    FOriginY = Y;
}

std::string TSvgStream::Coord(double V, double Origin) const {
    return FixedText(V + Origin, 2);
}

std::string TSvgStream::Stroke(TColor Color) const {
    std::string S = " stroke=\"" + SvgColor(PaperColor(Color)) + "\" stroke-width=\"" +
                    FixedText(FPen.Width, 3) + "\"";
    if (FPen.Style == lsSolid) return S;
    std::string Pattern;
    for (const double Length : DashPattern(FPen.Style))
        Pattern += (Pattern.empty() ? "" : " ") + FixedText(Length * FPen.Width, 3);
    return S + " stroke-dasharray=\"" + Pattern + "\"";
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
    const TTextStyle& T = FPen.Text;
    static constexpr const char* Anchors[] = {"start", "middle", "end"};
    const std::string AX = Coord(X, FOriginX), AY = Coord(Y, FOriginY);
    const std::string Rotation = T.Angle == 0 ? ""
                                              : " transform=\"rotate(" + FixedText(-T.Angle, 2) +
                                                    " " + AX + " " + AY + ")\"";
    FBody +=
        "<text x=\"" + AX + "\" y=\"" + Coord(Y + T.Size * BaselineBelow(T.Vertical), FOriginY) +
        "\"" + Rotation + " stroke=\"none\" font-family=\"sans-serif\" font-size=\"" +
        FixedText(T.Size, 2) + "\"" + (T.Bold ? " font-weight=\"bold\"" : "") +
        (T.Horizontal == haLeft ? ""
                                : std::string(" text-anchor=\"") + Anchors[T.Horizontal] + "\"") +
        " fill=\"" + SvgColor(PaperColor(FLineColor)) + "\">" + Escaped(S) + "</text>\n";
}

double TSvgStream::TextHeight(const std::string&) {
    return FPen.Text.Size;
}

double TSvgStream::TextWidth(const std::string& S) {
    return 0.6 * FPen.Text.Size * static_cast<double>(S.size());
}

std::string TSvgStream::Document() const {
    const std::string W = FixedText(FWidth, 2), H = FixedText(FHeight, 2);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           W + FUnit + "\" height=\"" + H + FUnit + "\" viewBox=\"0 0 " + W + " " + H +
           "\" stroke-linecap=\"round\">\n<rect x=\"0\" y=\"0\" width=\"" + W + "\" height=\"" + H +
           "\" fill=\"#ffffff\" stroke=\"none\"/>\n" + FBody + "</svg>\n";
}

void TSvgStream::SaveToFile(const std::string& FileName) const {
    TSafeFile File(FileName);
    File.Stream() << Document();
    File.Commit();
}
