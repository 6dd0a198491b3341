// The printed page: the document on the device, device primitives rounded to its pixels, lines in
// black, own colours turned for paper.
#include "display/printer/printerstream.h"

#include "display/paperstyle.h"
#include "display/viewstream.h"
#include "geometry/errors.h"

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

TPrintDocument::TPrintDocument(QPaintDevice& Device, const QString& Title) : FDevice(Device) {
    if (Device.paintingActive() && Device.paintEngine() && Device.paintEngine()->painter()) {
        FPainter = Device.paintEngine()->painter();
        return;
    }
    SetDocumentTitle(Device, Title);
    FOwnPainter = std::make_unique<QPainter>();
    if (!FOwnPainter->begin(&Device)) throw EIOError("Unable to print " + Title.toStdString());
    FPainter = FOwnPainter.get();
}

TPrintDocument::~TPrintDocument() {
    if (FOwnPainter && FOwnPainter->isActive()) FOwnPainter->end();
}

void TPrintDocument::EndDocument() {
    if (!FOwnPainter || !FOwnPainter->isActive()) return;
    if (!FOwnPainter->end()) throw EIOError("Unable to finish printing");
}

TPrinterStream::TPrinterStream(QPaintDevice& Device, const QString& Title)
    : TPrintDocument(Device, Title), TPainterStream(TPrintDocument::Painter(), 1, {}, true) {
    SetPen(std::max(1.0, std::round(Device.logicalDpiX() * LineWidthInches)), lsSolid);
}

int TPrinterStream::PageWidth() const {
    return Device().width();
}

int TPrinterStream::PageHeight() const {
    return Device().height();
}

TColor TPrinterStream::Ink(TColor Color, TInkSource Source) const {
    switch (Source) {
    case isStream:
        return clBlack;
    case isPolygon:
        return Color;
    case isList:
        return PaperColor(Color);
    case isPlainFill:
        break;
    }
    return clNone;
}

void TPrinterStream::Text(const std::string& S, double X, double Y, double) {
    QPainter& P = Painter();
    P.setPen(Qt::black);
    P.drawText(RoundPixel(X), RoundPixel(Y) + P.fontMetrics().ascent(), QString::fromStdString(S));
}

double TPrinterStream::TextHeight(const std::string&) {
    return Painter().fontMetrics().height();
}

double TPrinterStream::TextWidth(const std::string& S) {
    return Painter().fontMetrics().horizontalAdvance(QString::fromStdString(S));
}
