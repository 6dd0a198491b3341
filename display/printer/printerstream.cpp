// The printed page: device primitives on a painter, lines in black, own colours turned for paper.
#include "display/printer/printerstream.h"

#include "display/viewport/canvas.h"
#include "display/viewstream.h"
#include "geometry/errors.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

// Lines print a hundredth of an inch wide (0.25 mm), whatever the device's resolution.
constexpr double LineWidthInches = 0.01;

void SetDocumentTitle(QPaintDevice& Device, const QString& Title) {
    if (auto* Printer = dynamic_cast<QPrinter*>(&Device)) Printer->setDocName(Title);
    if (auto* Writer = dynamic_cast<QPdfWriter*>(&Device)) Writer->setTitle(Title);
    if (auto* Svg = dynamic_cast<QSvgGenerator*>(&Device)) Svg->setTitle(Title);
}

} // namespace

TColor PaperInverted(TColor Color) {
    if (Color == clWhite) return clBlack;
    if (Color == clBlack) return clWhite;
    return Color;
}

TPrinterStream::TPrinterStream(QPaintDevice& Device, const QString& Title) : FDevice(Device) {
    if (Device.paintingActive() && Device.paintEngine() && Device.paintEngine()->painter()) {
        FPainter = Device.paintEngine()->painter();
    } else {
        SetDocumentTitle(Device, Title);
        FOwnPainter = std::make_unique<QPainter>();
        if (!FOwnPainter->begin(&Device)) throw EIOError("Unable to print " + Title.toStdString());
        FPainter = FOwnPainter.get();
    }
    const double Width = std::max(1.0, std::round(Device.logicalDpiX() * LineWidthInches));
    FPen = QPen(Qt::black, Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    SetColors(clBlack, clNone);
}

TPrinterStream::~TPrinterStream() {
    if (FOwnPainter && FOwnPainter->isActive()) FOwnPainter->end();
}

void TPrinterStream::EndDocument() {
    if (!FOwnPainter || !FOwnPainter->isActive()) return;
    if (!FOwnPainter->end()) throw EIOError("Unable to finish printing");
}

int TPrinterStream::PageWidth() const {
    return FDevice.width();
}

int TPrinterStream::PageHeight() const {
    return FDevice.height();
}

void TPrinterStream::SetColors(TColor Pen, TColor Brush) {
    QPen P = FPen;
    if (Pen == clNone)
        P.setStyle(Qt::NoPen);
    else
        P.setColor(ToQColor(Pen));
    FPainter->setPen(P);
    FPainter->setBrush(Brush == clNone ? QBrush(Qt::NoBrush) : QBrush(ToQColor(Brush)));
}

void TPrinterStream::Line(double X1, double Y1, double, double X2, double Y2, double) {
    FPainter->drawLine(RoundPixel(X1), RoundPixel(Y1), RoundPixel(X2), RoundPixel(Y2));
}

void TPrinterStream::Circle(double X, double Y, double, double Radius) {
    const QPoint TopLeft(RoundPixel(X - Radius), RoundPixel(Y - Radius));
    const QPoint BottomRight(RoundPixel(X + Radius), RoundPixel(Y + Radius));
    FPainter->drawEllipse(QRect(TopLeft, BottomRight).normalized());
}

void TPrinterStream::DrawPolygon(const TPolygon& Polygon) {
    SetColors(Polygon.LineColor, Polygon.FillColor);
    FPainter->drawPolygon(PixelCorners(Polygon));
    SetColors(clBlack, clNone);
}

void TPrinterStream::DrawPoints(const TRPoints& Points) {
    if (Points.UseColors)
        SetColors(PaperInverted(Points.LineColor), PaperInverted(Points.FillColor));
    const QPolygon Pixels = PixelPolygon(Points);
    if (Points.Filled)
        FPainter->drawPolygon(Pixels);
    else
        FPainter->drawPolyline(Pixels);
    SetColors(clBlack, clNone);
}

void TPrinterStream::Text(const std::string& S, double X, double Y, double) {
    const QString Q = QString::fromStdString(S);
    const QFontMetrics Metrics = FPainter->fontMetrics();
    FPainter->drawText(RoundPixel(X), RoundPixel(Y) + Metrics.ascent(), Q);
}

double TPrinterStream::TextHeight(const std::string&) {
    return FPainter->fontMetrics().height();
}

double TPrinterStream::TextWidth(const std::string& S) {
    return FPainter->fontMetrics().horizontalAdvance(QString::fromStdString(S));
}
