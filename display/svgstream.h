// TSvgStream: a drawing target that receives device coordinates from a view stream or a sheet
// and writes them as the elements of an SVG document, in colours that read on white paper.
#pragma once

#include "display/paperstyle.h"

#include <string>

// "#rrggbb", or "none" for clNone.
std::string SvgColor(TColor Color);

class TSvgStream : public TPaperStream {
public:
    // The sheet in device units, which are SVG user units; Unit ("mm", "in"; empty for pixels)
    // gives the document's width and height a physical size, one device unit to one Unit.
    TSvgStream(double Width, double Height, std::string Unit = "");

    double Width() const { return FWidth; }
    double Height() const { return FHeight; }
    // Coordinates received from now on are shifted by (X, Y), so several views can share one
    // sheet, each drawing into its own pixel rectangle.
    void SetOrigin(double X, double Y);
    // Dashes scale with the pen; the screen colours are turned to paper colours on output.
    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void Circle(double X, double Y, double Z, double Radius) override;
    void DrawPolygon(const TPolygon& Polygon) override;
    void DrawPoints(const TRPoints& Points) override;
    // Anchored as the text style says, the baseline placed from the font's usual proportions.
    void Text(const std::string& S, double X, double Y, double Z) override;
    // Estimates in device units from the font size: SVG text is measured by its reader.
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;

    // The complete SVG document of everything drawn so far.
    std::string Document() const;
    // Writes the document; EIOError when the file cannot be written.
    void SaveToFile(const std::string& FileName) const;

private:
    double FWidth, FHeight;
    std::string FUnit;
    double FOriginX = 0, FOriginY = 0;
    std::string FBody;

    std::string Coord(double V, double Origin) const;
    std::string Stroke(TColor Color) const;
    // The "points" attribute of the shifted corners.
    std::string PointsAttribute(const TRPoints& Points) const;
};
