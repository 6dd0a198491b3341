// TPrinterStream: the drawing target of a printed page. It receives device coordinates from a
// view stream and draws them on the printer (or any paint device: a PDF or SVG file, an image)
// in black on white paper. TPrintDocument, the document it prints in, also carries pages drawn
// by other painter streams (a sheet in millimetres).
#pragma once

#include "display/painter/painterstream.h"

#include <QPainter>
#include <QString>

#include <memory>

class QPaintDevice;

// One document on a paint device: begun with a title on a painter of its own, or joined when the
// device is already painting one, which is then neither begun nor ended here.
class TPrintDocument {
public:
    // EIOError when the document cannot be begun (no printer, an output file that cannot be
    // written).
    TPrintDocument(QPaintDevice& Device, const QString& Title);
    TPrintDocument(const TPrintDocument&) = delete;
    TPrintDocument& operator=(const TPrintDocument&) = delete;
    // Ends the document it began (the page goes to the printer).
    ~TPrintDocument();

    bool WasPrinting() const { return !FOwnPainter; }
    QPaintDevice& Device() const { return FDevice; }
    QPainter& Painter() const { return *FPainter; }
    // Ends the document now, reporting a document that could not be finished (EIOError).
    void EndDocument();

private:
    QPaintDevice& FDevice;
    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter;
};

// The document comes first, so that its painter exists when the stream takes it.
class TPrinterStream : public TPrintDocument, public TPainterStream {
public:
    TPrinterStream(QPaintDevice& Device, const QString& Title);

    // The page in device pixels.
    int PageWidth() const;
    int PageHeight() const;

    // Lines, circles and texts print black whatever colour the drawing sets.
    void SetLineColor(TColor) override {}
    void Text(const std::string& S, double X, double Y, double Z) override;
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;

protected:
    // Polygons keep their own colours; point lists' own colours are turned for paper (white
    // draws black, black white, and a light colour such as the stations' yellow a darker tone of
    // its hue that shows on white); a list filled without colours of its own is not filled.
    TColor Ink(TColor Color, TInkSource Source) const override;
};
