// TSvgStream: a drawing target that receives device coordinates from a view stream and writes
// them as the elements of an SVG sheet, in colours that read on white paper.
#pragma once

#include "geometry/gstream.h"

#include <string>

// The colour a screen colour (drawn on black) takes on white paper: white prints black, black
// (the screen's background) prints white, light colours print a darker tone of their hue.
TColor PaperColor(TColor Color);
// "#rrggbb", or "none" for clNone.
std::string SvgColor(TColor Color);

class TSvgStream : public TGStream {
public:
    // The sheet in device units (SVG user units, 1 px).
    TSvgStream(double Width, double Height);

    double Width() const { return FWidth; }
    double Height() const { return FHeight; }
    // Coordinates received from now on are shifted by (X, Y), so several views can share one
    // sheet, each drawing into its own pixel rectangle.
    void SetOrigin(double X, double Y);
    void SetPenWidth(double Width) { FPenWidth = Width; }
    void SetFontSize(double Size) { FFontSize = Size; }

    // The screen colours, as the drawing sets them; they are turned to paper colours on output.
    TColor GetLineColor() const override { return FLineColor; }
    TColor GetColor() const override { return FLineColor; }
    void SetLineColor(TColor Color) override { FLineColor = Color; }

    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void Circle(double X, double Y, double Z, double Radius) override;
    void DrawPolygon(const TPolygon& Polygon) override;
    void DrawPoints(const TRPoints& Points) override;
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
    double FOriginX = 0, FOriginY = 0;
    double FPenWidth = 1;
    double FFontSize = 12;
    TColor FLineColor = clWhite;
    std::string FBody;

    std::string Coord(double V, double Origin) const;
    std::string Stroke(TColor Color) const;
    // The "points" attribute of the shifted corners.
    std::string PointsAttribute(const TRPoints& Points) const;
};
