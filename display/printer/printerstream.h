// TPrinterStream: the drawing target of a printed page. It receives device coordinates from a
// view stream and draws them on the printer (or any paint device: a PDF or SVG file, an image)
// in black on white paper.
#pragma once

#include "geometry/gstream.h"

#include <QPainter>
#include <QString>

#include <memory>

class QPaintDevice;

class TPrinterStream : public TGStream {
public:
    // Begins a document titled Title on Device, unless Device is already printing one: then the
    // drawing joins that document, which the stream neither begins nor ends. EIOError when the
    // document cannot be begun (no printer, an output file that cannot be written).
    TPrinterStream(QPaintDevice& Device, const QString& Title);
    // Ends the document it began (the page goes to the printer).
    ~TPrinterStream() override;

    bool WasPrinting() const { return !FOwnPainter; }
    // The page in device pixels.
    int PageWidth() const;
    int PageHeight() const;
    // Ends the document now, reporting a document that could not be finished (EIOError).
    void EndDocument();

    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void Circle(double X, double Y, double Z, double Radius) override;
    // The polygon's own colours, as on the screen; the pen is black again afterwards.
    void DrawPolygon(const TPolygon& Polygon) override;
    // Own colours are turned for paper: white draws black and black white.
    void DrawPoints(const TRPoints& Points) override;
    void Text(const std::string& S, double X, double Y, double Z) override;
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;

private:
    QPaintDevice& FDevice;
    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter;
    QPen FPen;

    void SetColors(TColor Pen, TColor Brush);
};

// A screen colour as it prints: white becomes black and black white; others stay.
TColor PaperInverted(TColor Color);
