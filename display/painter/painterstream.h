// TPainterStream: a drawing target that paints device-level primitives onto a QPainter, in
// colours that read on white paper. A sheet drawn in millimetres reaches any Qt paint device (a
// PDF writer, a printer, an image) through it at that device's resolution; a printed page of a
// view (see TPrinterStream) builds on it with its own rules for colours and text.
#pragma once

#include "display/paperstyle.h"

#include <QPainter>
#include <QPointF>

// Where a colour a primitive is painted in comes from.
enum TInkSource {
    isStream,   // the stream's line colour (lines, circles, texts, lists without own colours)
    isPolygon,  // a polygon's own line or fill colour
    isList,     // a point list's own line or fill colour
    isPlainFill // the fill of a filled point list without colours of its own: the screen's black
};

class TPainterStream : public TPaperStream {
public:
    // Device unit (X, Y) is painted at Offset + (X, Y) * Scale in the painter's coordinates;
    // pen widths and text sizes scale alike. With RoundToPixels each point is rounded to a whole
    // unit first and nothing is smoothed, as on a pixel device.
    TPainterStream(QPainter& Painter, double Scale, QPointF Offset = {},
                   bool RoundToPixels = false);

    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    // The ellipse in the box (X - R, Y - R) to (X + R, Y + R).
    void Circle(double X, double Y, double Z, double Radius) override;
    void DrawPolygon(const TPolygon& Polygon) override;
    void DrawPoints(const TRPoints& Points) override;
    // Anchored as the text style says, the baseline placed as on the SVG sheet.
    void Text(const std::string& S, double X, double Y, double Z) override;
    // Measured with the font, in device units.
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;

protected:
    // The paper colour that screen colour Color from Source takes (clNone for none); here each
    // is turned as PaperColor says.
    virtual TColor Ink(TColor Color, TInkSource Source) const;

private:
    QPainter& FPainter;
    double FScale;
    QPointF FOffset;
    bool FRound;

    QPointF At(double X, double Y) const;
    // The painter's pen and brush in paper colours (clNone: no pen, no brush).
    void Prepare(TColor PenInk, TColor FillInk);
    QFont Font() const;
};
