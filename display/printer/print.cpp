// One page of a viewport's drawing on a printer or in a PDF or SVG file.
#include "display/printer/print.h"

#include "display/painter/painterstream.h"
#include "display/printer/printerstream.h"
#include "display/viewfit.h"
#include "display/viewport/customview2d.h"
#include "geometry/errors.h"
#include "geometry/safefile.h"
#include "geometry/textutil.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <memory>

namespace {

// Exported pages: A4 landscape, PDF at a printer's resolution, SVG in screen pixels.
constexpr int PdfResolution = 300;
constexpr int SvgResolution = 96;
constexpr double MillimetresPerInch = 25.4;

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

// While it lives, a printer prints on its whole paper in landscape: a sheet's frame and scale are
// measured from the paper's edges, not the margins'. Its own set-up comes back afterwards.
class TWholePaper {
public:
    explicit TWholePaper(QPaintDevice& Device) : FPrinter(dynamic_cast<QPrinter*>(&Device)) {
        if (!FPrinter) return;
        FLayout = FPrinter->pageLayout();
        FFullPage = FPrinter->fullPage();
        FPrinter->setPageOrientation(QPageLayout::Landscape);
        FPrinter->setFullPage(true);
    }
    TWholePaper(const TWholePaper&) = delete;
    TWholePaper& operator=(const TWholePaper&) = delete;
    ~TWholePaper() {
        if (!FPrinter) return;
        FPrinter->setFullPage(FFullPage);
        FPrinter->setPageLayout(FLayout);
    }

private:
    QPrinter* FPrinter;
    QPageLayout FLayout;
    bool FFullPage = false;
};

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
    TSafeFile File(QFile::encodeName(FileName).toStdString());
    File.Stream().write(Content.constData(), Content.size());
    File.Commit();
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

QSizeF LandscapePaper(const QPrinter& Printer) {
    const QSizeF Paper = Printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    return {std::max(Paper.width(), Paper.height()), std::min(Paper.width(), Paper.height())};
}

void PrintSheet(QPaintDevice& Device, const std::string& Title,
                const std::function<void(TGStream&)>& Draw) {
    const TWholePaper Paper(Device);
    TPrintDocument Page(Device, QString::fromStdString(Title));
    TPainterStream Sheet(Page.Painter(), Device.logicalDpiX() / MillimetresPerInch);
    Draw(Sheet);
    Page.EndDocument();
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
