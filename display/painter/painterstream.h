// TPainterStream: a drawing target that paints device-level primitives onto a QPainter, in
// colours that read on white paper. A sheet drawn in millimetres reaches any Qt paint device (a
// PDF writer, a printer, an image) through it at that device's resolution.
#pragma once

#include "display/paperstyle.h"
#include "geometry/gstream.h"

#include <QPainter>
#include <QPointF>

class TPainterStream : public TGStream {
public:
    // Device unit (X, Y) is painted at Offset + (X, Y) * Scale in the painter's coordinates;
    // pen widths and text sizes scale alike.
    TPainterStream(QPainter& Painter, double Scale, QPointF Offset = {});

    TColor GetLineColor() const override { return FLineColor; }
    TColor GetColor() const override { return FLineColor; }
    void SetLineColor(TColor Color) override { FLineColor = Color; }
    void SetPen(double Width, TLineStyle Style) override { FPen.Set(Width, Style); }
    void SetTextStyle(const TTextStyle& Style) override { FPen.SetText(Style); }

    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void Circle(double X, double Y, double Z, double Radius) override;
    void DrawPolygon(const TPolygon& Polygon) override;
    void DrawPoints(const TRPoints& Points) override;
    // Anchored as the text style says, the baseline placed as on the SVG sheet.
    void Text(const std::string& S, double X, double Y, double Z) override;
    // Measured with the font, in device units.
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;

private:
    QPainter& FPainter;
    double FScale;
    QPointF FOffset;
    TColor FLineColor = clWhite;
    TPaperPen FPen{0.25, lsSolid, {3}};

    QPointF At(double X, double Y) const { return FOffset + QPointF(X, Y) * FScale; }
    // The painter's pen in Color, its brush Fill.
    void Prepare(TColor Color, TColor Fill);
    QFont Font() const;
};
