// Paper output through Qt: primitives and anchored text on a painter, and the PDF file.
#include "display/painter/painterstream.h"
#include "display/painter/pdffile.h"

#include "geometry/polyline.h"

#include <QImage>

#include <sstream>

#include <gtest/gtest.h>

namespace {

// The columns of Image holding any dark pixel in rows Top .. Bottom.
std::pair<int, int> InkColumns(const QImage& Image, int Top, int Bottom) {
    int First = Image.width(), Last = -1;
    for (int y = Top; y <= Bottom; ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (qGray(Image.pixel(x, y)) < 128) {
                First = std::min(First, x);
                Last = std::max(Last, x);
            }
    return {First, Last};
}

TEST(PainterStream, PaintsInPaperColoursAndAnchorsText) {
    QImage Image(400, 200, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        TPainterStream Stream(Painter, 4); // 4 pixels per device unit
        Stream.SetPen(0.5, lsSolid);
        Stream.Line(10, 5, 0, 90, 5, 0); // white on screen prints black
        TPolyline Station;
        Station.UseColors = true;
        Station.LineColor = 0x0000FF; // red
        Station.AddPoint(10, 15, 0);
        Station.AddPoint(90, 15, 0);
        Stream.DrawPoints(Station);
        Stream.SetTextStyle({5, haCentre, vaMiddle, 0, false});
        Stream.Text("WL 20", 50, 35, 0);
    }
    EXPECT_LT(qGray(Image.pixel(200, 20)), 60);
    const QRgb Red = Image.pixel(200, 60);
    EXPECT_GT(qRed(Red), 200);
    EXPECT_LT(qGreen(Red), 60);
    // The text's ink is centred on x = 50 units and lies about y = 35.
    const auto [First, Last] = InkColumns(Image, 120, 160);
    ASSERT_LT(First, Last);
    EXPECT_NEAR((First + Last) / 2.0, 200, 4);
    EXPECT_EQ(InkColumns(Image, 100, 115).second, -1);
    EXPECT_EQ(InkColumns(Image, 165, 199).second, -1);
}

TEST(PdfFile, WritesOnePageOfThePaperSize) {
    std::ostringstream Out;
    SavePdf(Out, "sheet.pdf", 420, 297, "Test sheet", [](TGStream& Page) {
        Page.Line(10, 10, 0, 410, 287, 0);
        Page.Text("Profile", 20, 20, 0);
    });
    const std::string Pdf = Out.str();
    EXPECT_EQ(Pdf.rfind("%PDF", 0), 0u);
    // The page in points, which the writer rounds to whole ones.
    const auto Box = Pdf.find("/MediaBox [0 0 ");
    ASSERT_NE(Box, std::string::npos);
    std::istringstream Size(Pdf.substr(Box + 15, 40));
    double Width = 0, Height = 0;
    Size >> Width >> Height;
    EXPECT_NEAR(Width, 420 / 25.4 * 72, 0.5);
    EXPECT_NEAR(Height, 297 / 25.4 * 72, 0.5);
}

} // namespace
