// The SVG sheet: paper colours and the elements a view stream sends it.
#include "display/svgstream.h"
#include "display/view3d.h"
#include "display/viewfit.h"
#include "geometry/polygon.h"
#include "geometry/polyline.h"

#include <gtest/gtest.h>

namespace {

TEST(PaperColor, WhiteAndBlackSwapAndLightColoursDarken) {
    EXPECT_EQ(PaperColor(clWhite), clBlack);
    EXPECT_EQ(PaperColor(clBlack), clWhite);
    EXPECT_EQ(PaperColor(clNone), clNone);
    EXPECT_EQ(PaperColor(0x0000FF), 0x0000FFu); // red reads on paper as it is
    EXPECT_EQ(PaperColor(0xFF0000), 0xFF0000u);
    const TColor Yellow = PaperColor(0x00FFFF);
    EXPECT_EQ(Yellow & 0xFF, (Yellow >> 8) & 0xFF); // same hue
    EXPECT_EQ(Yellow >> 16, 0u);
    EXPECT_LT(Yellow & 0xFF, 0x80u);
    EXPECT_GT(Yellow & 0xFF, 0x60u);
    EXPECT_EQ(SvgColor(0x00FF80), "#80ff00");
    EXPECT_EQ(SvgColor(clNone), "none");
}

TEST(SvgStream, ReceivesDeviceCoordinatesFromAView) {
    TSvgStream Sheet(300, 200);
    TG3DView View(&Sheet);
    SetWindow(View, {-10, 10, 10, -10}, 200, 200);
    Sheet.SetOrigin(100, 0);

    View.Line(0, 0, 0, 5, 5, 0); // white on screen, black on paper
    View.SetLineColor(0x0000FF);
    View.Text("a<b", -10, 10, 0);
    TPolyline Contour;
    Contour.UseColors = true;
    Contour.LineColor = 0x00FFFF;
    Contour.Add(TRPoint::CreateXYZ(-10, -10, 0));
    Contour.Add(TRPoint::CreateXYZ(10, 10, 0));
    View.DrawPoints(Contour);
    TPolygon Face(0);
    Face.P2.X = 10;
    Face.P3.Y = 10;
    View.DrawPolygon(Face);

    const std::string Svg = Sheet.Document();
    EXPECT_EQ(Svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(Svg.find("width=\"300.00\" height=\"200.00\""), std::string::npos);
    EXPECT_NE(Svg.find("<line x1=\"200.00\" y1=\"100.00\" x2=\"250.00\" y2=\"50.00\" "
                       "stroke=\"#000000\""),
              std::string::npos);
    EXPECT_NE(Svg.find("fill=\"#ff0000\">a&lt;b</text>"), std::string::npos);
    EXPECT_NE(Svg.find("<polyline points=\"100.00,200.00 300.00,0.00\" fill=\"none\" "
                       "stroke=\"" +
                       SvgColor(PaperColor(0x00FFFF)) + "\""),
              std::string::npos);
    EXPECT_NE(Svg.find("<polygon points=\"200.00,100.00 300.00,100.00 200.00,0.00\" "
                       "fill=\"none\" stroke=\"#000000\""),
              std::string::npos);
    EXPECT_EQ(Svg.substr(Svg.size() - 7), "</svg>\n");
}

} // namespace
