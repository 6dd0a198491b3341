// Device-level primitives painted through a QPainter with the screen's colours mapped to paper.
#include "display/painter/painterstream.h"

#include "display/paperstyle.h"
#include "display/viewstream.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPolygonF>

#include <cmath>

namespace {

QColor ToQColor(TColor C) {
    return QColor(static_cast<int>(C & 0xFF), static_cast<int>((C >> 8) & 0xFF),
                  static_cast<int>((C >> 16) & 0xFF));
}

} // namespace

TPainterStream::TPainterStream(QPainter& Painter, double Scale, QPointF Offset, bool RoundToPixels)
    : TPaperStream({0.25, lsSolid, {3}}), FPainter(Painter), FScale(Scale), FOffset(Offset),
      FRound(RoundToPixels) {
    FPainter.setRenderHint(QPainter::Antialiasing, !RoundToPixels);
}

QPointF TPainterStream::At(double X, double Y) const {
    if (FRound) return FOffset + QPointF(RoundPixel(X), RoundPixel(Y)) * FScale;
    return FOffset + QPointF(X, Y) * FScale;
}

TColor TPainterStream::Ink(TColor Color, TInkSource) const {
    return PaperColor(Color);
}

void TPainterStream::Prepare(TColor PenInk, TColor FillInk) {
    QPen Pen(ToQColor(PenInk), FPen.Width * FScale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (PenInk == clNone) Pen.setStyle(Qt::NoPen);
    const auto Dashes = DashPattern(FPen.Style);
    if (!Dashes.empty()) Pen.setDashPattern(QList<qreal>(Dashes.begin(), Dashes.end()));
    FPainter.setPen(Pen);
    FPainter.setBrush(FillInk == clNone ? QBrush(Qt::NoBrush) : QBrush(ToQColor(FillInk)));
}

void TPainterStream::Line(double X1, double Y1, double, double X2, double Y2, double) {
    Prepare(Ink(FLineColor, isStream), clNone);
    FPainter.drawLine(At(X1, Y1), At(X2, Y2));
}

void TPainterStream::Circle(double X, double Y, double, double Radius) {
    Prepare(Ink(FLineColor, isStream), clNone);
    FPainter.drawEllipse(
        QRectF(At(X - Radius, Y - Radius), At(X + Radius, Y + Radius)).normalized());
}

void TPainterStream::DrawPolygon(const TPolygon& Polygon) {
    QPolygonF Corners;
    for (const TRPoint* P : {&Polygon.P1, &Polygon.P2, &Polygon.P3, Polygon.P4()})
        if (P) Corners << At(P->X, P->Y);
    Prepare(Ink(Polygon.LineColor, isPolygon), Ink(Polygon.FillColor, isPolygon));
    FPainter.drawPolygon(Corners);
}

void TPainterStream::DrawPoints(const TRPoints& Points) {
    QPolygonF Chain;
    Chain.reserve(Points.Count());
    for (int i = 0; i < Points.Count(); ++i) Chain << At(Points.At(i).X, Points.At(i).Y);
    const bool Own = Points.UseColors;
    // Without colours of its own a filled list takes the screen's background.
    const TColor Fill = !Points.Filled ? clNone
                        : Own          ? Ink(Points.FillColor, isList)
                                       : Ink(clBlack, isPlainFill);
    Prepare(Own ? Ink(Points.LineColor, isList) : Ink(FLineColor, isStream), Fill);
    if (Points.Filled)
        FPainter.drawPolygon(Chain);
    else
        FPainter.drawPolyline(Chain);
}

QFont TPainterStream::Font() const {
    QFont F("DejaVu Sans");
    F.setStyleHint(QFont::SansSerif);
    F.setPixelSize(std::max(1, static_cast<int>(std::lround(FPen.Text.Size * FScale))));
    F.setBold(FPen.Text.Bold);
    return F;
}

void TPainterStream::Text(const std::string& S, double X, double Y, double) {
    const QString Q = QString::fromStdString(S);
    const QFont F = Font();
    const double Width = QFontMetricsF(F).horizontalAdvance(Q);
    const double Size = F.pixelSize();
    static constexpr double AnchorShare[] = {0, 0.5, 1};
    FPainter.save();
    FPainter.translate(At(X, Y));
    FPainter.rotate(-FPen.Text.Angle);
    FPainter.setFont(F);
    FPainter.setPen(ToQColor(Ink(FLineColor, isStream)));
    FPainter.drawText(QPointF(-Width * AnchorShare[FPen.Text.Horizontal],
                              Size * BaselineBelow(FPen.Text.Vertical)),
                      Q);
    FPainter.restore();
}

double TPainterStream::TextHeight(const std::string&) {
    return QFontMetricsF(Font()).height() / FScale;
}

double TPainterStream::TextWidth(const std::string& S) {
    return QFontMetricsF(Font()).horizontalAdvance(QString::fromStdString(S)) / FScale;
}
