// Printing a viewport: the page fitted with the margin, paper colours, the document always ended
// and the screen given back, and the exported files; a sheet printed true to size.
#include "display/printer/print.h"
#include "display/printer/printerstream.h"
#include "display/viewport/viewport_test_util.h"
#include "geometry/errors.h"
#include "geometry/points.h"
#include "geometry/scratchfolder.h"
#include "geometry/testsupport.h"
#include "geometry/textutil.h"

#include <QPrinter>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using T3D = TShownView<TView3D>;

// A white page of 1000 x 700 pixels to print on.
QImage BlankPage() {
    QImage Page(1000, 700, QImage::Format_RGB32);
    Page.fill(Qt::white);
    return Page;
}

bool IsInk(const QImage& Page, int X, int Y) {
    return qGray(Page.pixel(X, Y)) < 128;
}

// The smallest rectangle holding every inked pixel.
QRect InkBox(const QImage& Page) {
    QRect Box;
    for (int y = 0; y < Page.height(); ++y)
        for (int x = 0; x < Page.width(); ++x)
            if (IsInk(Page, x, y)) Box |= QRect(x, y, 1, 1);
    return Box;
}

// A printer writing one PDF file.
std::unique_ptr<QPrinter> PdfPrinter(const std::string& FileName) {
    auto Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Printer->setOutputFormat(QPrinter::PdfFormat);
    Printer->setOutputFileName(QString::fromStdString(FileName));
    return Printer;
}

int PageCount(const std::string& Pdf) {
    int n = 0;
    for (std::size_t i = Pdf.find("/Type /Page"); i != std::string::npos;
         i = Pdf.find("/Type /Page", i + 1))
        n += Pdf.compare(i, 12, "/Type /Pages") != 0;
    return n;
}

TEST(Print, EmptyModelPrintsOneEmptyPageAndRefitsTheScreen) {
    T3D V;
    V.View->ZoomExtents();
    const TViewWindow Screen = V.View->Window();
    V.View->View3D().SetTheta(300); // the screen shows a rotated view, not yet refitted
    TScratchFolder Folder;
    {
        const auto Printer = PdfPrinter(Folder.File("empty.pdf"));
        const auto Box = std::move(V.View->OnPreviewRedraw);
        V.View->OnPreviewRedraw = nullptr;
        SetProgramBaseName("/usr/bin/keelvane");
        Print(*V.View, *Printer);
        EXPECT_EQ(Printer->docName(), QString("keelvane - Viewport"));
        V.View->OnPreviewRedraw = Box;
    }
    const std::string Pdf = FileText(Folder.File("empty.pdf"));
    EXPECT_EQ(Pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(PageCount(Pdf), 1);
    EXPECT_EQ(V.View->View().ViewTarget(), V.View.get());
    EXPECT_EQ(V.Redraws, 1); // the screen, once; nothing was fitted to the page

    // With the model back, printing ends with the screen fitted to the rotated view.
    const auto Printer = PdfPrinter(Folder.File("box.pdf"));
    Print(*V.View, *Printer, "Keelvane");
    EXPECT_EQ(Printer->docName(), QString("Keelvane"));
    EXPECT_EQ(V.View->View().Width(), 200);
    EXPECT_EQ(V.View->View().Height(), 100);
    EXPECT_NE(V.View->Window(), Screen);
    const TViewWindow Refitted = V.View->Window();
    V.View->ZoomExtents();
    EXPECT_EQ(V.View->Window(), Refitted);
}

TEST(Print, RotatedViewPrintsTheScreensProjectionWithTheMargin) {
    T3D V;
    V.View->View3D().SetPhi(35);
    V.View->View3D().SetTheta(300);
    V.View->ZoomExtents();
    const TG2DView& View = V.View->View();
    const double Aspect = (View.MaxX() - View.MinX()) / (View.MaxY() - View.MinY());
    V.View->SetLineColor(0x00FF00); // a screen colour prints black
    QImage Page = BlankPage();
    Print(*V.View, Page);
    const QRect Ink = InkBox(Page);
    // The drawing fills the page less the margin, centred, in the screen's proportions: here
    // its height limits.
    EXPECT_NEAR(Ink.height(), 700 / 1.08, 3);
    EXPECT_LT(Ink.width(), 1000 / 1.08);
    EXPECT_NEAR(Ink.center().x(), 500, 2);
    EXPECT_NEAR(Ink.center().y(), 350, 2);
    EXPECT_NEAR(static_cast<double>(Ink.width()) / Ink.height(), Aspect, 0.02);
    EXPECT_EQ(QColor(Page.pixel(Ink.center())), QColor(Qt::white)); // no tripod, no fill
    EXPECT_NEAR(V.View->View3D().Phi(), 35, 0);
}

TEST(Print, OwnColoursPrintForPaperAndLongListsPrintWhole) {
    T3D V;
    V.View->OnRedraw = [](QObject*, TGStream& S) {
        S.SetLineColor(clWhite);
        S.Line(0, 0, 0, 100, 0, 0);
        TRPoints White; // white on the black screen: 70,000 points along y = 15
        White.UseColors = true;
        White.LineColor = clWhite;
        for (int i = 0; i < 70000; ++i)
            White.Add(std::make_unique<TRPoint>(i * 100.0 / 69999, 15, 0));
        S.DrawPoints(White);
        TRPoints Square; // black fill on the screen prints white, its red outline stays red
        Square.UseColors = Square.Filled = true;
        Square.LineColor = 0x0000FF;
        Square.FillColor = clBlack;
        for (const auto& [x, y] : {std::pair{40, 30}, {60, 30}, {60, 40}, {40, 40}})
            Square.Add(std::make_unique<TRPoint>(x, y, 0));
        S.DrawPoints(Square);
        TRPoints Yellow; // the stations' yellow prints as a darker yellow that shows on white
        Yellow.UseColors = true;
        Yellow.LineColor = 0x00FFFF;
        for (const double x : {0.0, 30.0}) Yellow.Add(std::make_unique<TRPoint>(x, 25, 0));
        S.DrawPoints(Yellow);
        S.Line(0, 40, 0, 100, 40, 0); // black again after the list
    };
    V.View->OnPreviewRedraw = V.View->OnRedraw;
    V.View->ZoomExtents();
    QImage Page = BlankPage();
    Print(*V.View, Page);
    const QRect Ink = InkBox(Page);
    const auto At = [&](double x, double y) { // model point to page pixel
        return QPoint(static_cast<int>(Ink.left() + x / 100 * (Ink.width() - 1)),
                      static_cast<int>(Ink.bottom() - y / 40 * (Ink.height() - 1)));
    };
    const auto Near = [&](QPoint P, auto Test) { // some pixel within 2 of P passes Test
        for (int y = P.y() - 2; y <= P.y() + 2; ++y)
            for (int x = P.x() - 2; x <= P.x() + 2; ++x)
                if (Page.valid(x, y) && Test(QColor(Page.pixel(x, y)))) return true;
        return false;
    };
    const auto Black = [](QColor C) { return qGray(C.rgb()) < 60; };
    EXPECT_TRUE(Near(At(50, 0), Black));
    EXPECT_TRUE(Near(At(99, 15), Black)); // all of the list, far beyond 65,526 points
    EXPECT_TRUE(Near(At(70, 40), Black));
    EXPECT_EQ(QColor(Page.pixel(At(50, 35))), QColor(Qt::white));
    EXPECT_TRUE(Near(At(40, 35), [](QColor C) { return C.red() > 200 && C.green() < 60; }));
    EXPECT_TRUE(Near(At(15, 25), [](QColor C) {
        return C.red() == C.green() && C.red() > 80 && C.red() < 160 && C.blue() < 40;
    }));
}

TEST(Print, ErrorWhileDrawingStillEndsTheDocumentAndGivesTheScreenBack) {
    T3D V;
    V.View->ZoomExtents();
    const TViewWindow Screen = V.View->Window();
    V.View->OnRedraw = [&V](QObject*, TGStream& S) {
        ++V.Redraws;
        DrawBox(S);
        if (V.View->View().StreamTarget()) throw EGeometryError("broken drawing");
    };
    TScratchFolder Folder;
    const auto Printer = PdfPrinter(Folder.File("broken.pdf"));
    EXPECT_THROW(Print(*V.View, *Printer), EGeometryError);
    EXPECT_EQ(Printer->printerState(), QPrinter::Idle);
    EXPECT_NE(FileText(Folder.File("broken.pdf")).find("%%EOF"), std::string::npos);
    EXPECT_EQ(V.View->View().ViewTarget(), V.View.get());
    EXPECT_EQ(V.View->Window(), Screen);
    EXPECT_EQ(V.Redraws, 2); // the page, then the screen
}

TEST(Print, PrinterAlreadyInADocumentKeepsIt) {
    T3D V;
    QImage Page = BlankPage();
    QPainter Document(&Page);
    {
        TPrinterStream Stream(Page, "ignored");
        EXPECT_TRUE(Stream.WasPrinting());
    }
    Print(*V.View, Page);
    EXPECT_TRUE(Document.isActive());
    Document.end();
    EXPECT_TRUE(InkBox(Page).isValid());
}

TEST(PrintSheet, DrawsTrueToSizeOnTheWholePaperInLandscapeAndRestoresThePrinter) {
    // 4 pixels to the millimetre: a 10 mm line 5 mm from the edges.
    QImage Page(400, 200, QImage::Format_RGB32);
    Page.fill(Qt::white);
    Page.setDotsPerMeterX(4000);
    Page.setDotsPerMeterY(4000);
    const auto Mark = [](TGStream& Sheet) { Sheet.Line(5, 5, 0, 15, 5, 0); };
    PrintSheet(Page, "sheet", Mark);
    const QRect Ink = InkBox(Page);
    EXPECT_NEAR(Ink.left(), 20, 1.5);
    EXPECT_NEAR(Ink.right(), 60, 1.5);
    EXPECT_NEAR(Ink.center().y(), 20, 1.5);

    // A portrait printer with margins prints the sheet on its whole paper, turned.
    TScratchFolder Folder;
    const auto Printer = PdfPrinter(Folder.File("sheet.pdf"));
    Printer->setPageSize(QPageSize(QPageSize::A4));
    Printer->setPageOrientation(QPageLayout::Portrait);
    Printer->setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    EXPECT_NEAR(LandscapePaper(*Printer).width(), 297, 0.5);
    PrintSheet(*Printer, "sheet", [&](TGStream& Sheet) {
        EXPECT_NEAR(Printer->width() * 25.4 / Printer->resolution(), 297, 0.5);
        Mark(Sheet);
    });
    EXPECT_EQ(Printer->pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_FALSE(Printer->fullPage());
    EXPECT_NEAR(Printer->pageLayout().margins().left(), 20, 1e-9);
    EXPECT_EQ(Printer->docName(), QString("sheet"));
    EXPECT_EQ(PageCount(FileText(Folder.File("sheet.pdf"))), 1);
}

TEST(ExportPage, WritesPdfOrSvgByExtensionAndKeepsTheOldFileOnFailure) {
    T3D V;
    V.View->ZoomExtents();
    TScratchFolder Folder;
    const auto Export = [&](const std::string& Name) {
        ExportPage(QString::fromStdString(Folder.File(Name)),
                   [&](QPaintDevice& Device) { Print(*V.View, Device); });
    };
    Export("plan.pdf");
    EXPECT_EQ(PageCount(FileText(Folder.File("plan.pdf"))), 1);
    Export("plan.SVG");
    const std::string Svg = FileText(Folder.File("plan.SVG"));
    EXPECT_NE(Svg.find("<svg"), std::string::npos);
    EXPECT_NE(Svg.find("#000000"), std::string::npos);
    EXPECT_EQ(V.View->View().ViewTarget(), V.View.get());

    ExpectMessage([&] { Export("plan.png"); }, "Unable to export " + Folder.File("plan.png") +
                                                   ": the name must end in .pdf or .svg");
    EXPECT_THROW(Export("gone/plan.pdf"), EIOError);
    const std::string Old = FileText(Folder.File("plan.pdf"));
    V.View->OnRedraw = [](QObject*, TGStream&) { throw EGeometryError("broken drawing"); };
    EXPECT_THROW(Export("plan.pdf"), EGeometryError);
    EXPECT_EQ(FileText(Folder.File("plan.pdf")), Old);
}

} // namespace
