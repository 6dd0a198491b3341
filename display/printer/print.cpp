// One page of a viewport's drawing on a printer or in a PDF or SVG file.
#include "display/printer/print.h"

#include "display/printer/printerstream.h"
#include "display/viewfit.h"
#include "display/viewport/customview2d.h"
#include "geometry/errors.h"
#include "geometry/textutil.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <memory>

namespace {

// Exported pages: A4 landscape, PDF at a printer's resolution, SVG in screen pixels.
constexpr int PdfResolution = 300;
constexpr int SvgResolution = 96;

// Measured as on the screen, then fitted to the page and drawn there.
void DrawOnPage(TCustomView2D& Control, TPrinterStream& Page) {
    TG2DView& View = Control.View();
    MeasureExtents(View, [&Control](TGStream&) { Control.PreviewRedraw(); });
    View.SetTarget(&Page);
    if (Control.FitWindow(Page.PageWidth(), Page.PageHeight())) Control.DoRedraw();
}

// Back to the screen: the view on the control, the document ended, the window refitted.
void FinishPrint(TCustomView2D& Control, std::unique_ptr<TPrinterStream> Page) {
    Control.View().SetTarget(static_cast<TViewTarget*>(&Control));
    Page.reset();
    Control.ZoomExtents();
    Control.DoRedraw();
}

QByteArray PdfPage(const std::function<void(QPaintDevice&)>& PrintOn) {
    QBuffer Buffer;
    Buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter Writer(&Buffer);
        Writer.setPageSize(QPageSize(QPageSize::A4));
        Writer.setPageOrientation(QPageLayout::Landscape);
        Writer.setResolution(PdfResolution);
        Writer.setCreator("Keelvane");
        PrintOn(Writer);
    }
    return Buffer.data();
}

QByteArray SvgPage(const std::function<void(QPaintDevice&)>& PrintOn) {
    QBuffer Buffer;
    Buffer.open(QIODevice::WriteOnly);
    const QSizeF Inches = QPageSize(QPageSize::A4).size(QPageSize::Inch).transposed();
    const QSize Pixels = (Inches * SvgResolution).toSize();
    QSvgGenerator Svg;
    Svg.setOutputDevice(&Buffer);
    Svg.setResolution(SvgResolution);
    Svg.setSize(Pixels);
    Svg.setViewBox(QRect(QPoint(0, 0), Pixels));
    PrintOn(Svg);
    return Buffer.data();
}

void WriteWhole(const QString& FileName, const QByteArray& Content) {
    QSaveFile File(FileName);
    if (!File.open(QIODevice::WriteOnly) || File.write(Content) != Content.size() || !File.commit())
        throw EIOError("Unable to write file " + FileName.toStdString() + ": " +
                       File.errorString().toStdString());
}

} // namespace

void Print(TCustomView2D& Control, QPaintDevice& Printer, const std::string& Title) {
    const std::string Name = Title.empty() ? ProgramBaseName() + " - Viewport" : Title;
    auto Page = std::make_unique<TPrinterStream>(Printer, QString::fromStdString(Name));
    try {
        DrawOnPage(Control, *Page);
        Page->EndDocument();
    } catch (...) {
        FinishPrint(Control, std::move(Page));
        throw;
    }
    FinishPrint(Control, std::move(Page));
}

QString ExportFilter() {
    return "PDF Document (*.pdf);;SVG Drawing (*.svg)";
}

void ExportPage(const QString& FileName, const std::function<void(QPaintDevice&)>& PrintOn) {
    const QString Suffix = QFileInfo(FileName).suffix().toLower();
    if (Suffix == "pdf") return WriteWhole(FileName, PdfPage(PrintOn));
    if (Suffix == "svg") return WriteWhole(FileName, SvgPage(PrintOn));
    throw EIOError("Unable to export " + FileName.toStdString() +
                   ": the name must end in .pdf or .svg");
}

void ExportView(TCustomView2D& Control, const QString& FileName, const std::string& Title) {
    ExportPage(FileName, [&](QPaintDevice& Device) { Print(Control, Device, Title); });
}
