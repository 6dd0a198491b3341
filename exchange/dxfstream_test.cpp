// DXF files read back by an independent reader (ezdxf): they pass its audit, and every layer holds
// the entities and points drawn on it, the sheet turned upright, texts anchored as styled.
#include "exchange/dxfstream.h"

#include "exchange/dxfreadback.h"
#include "geometry/points.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TRPoints> Points(std::initializer_list<TRPoint> List) {
    auto Result = std::make_unique<TRPoints>();
    for (const TRPoint& P : List) Result->Add(TRPoint::CreateCopy(P));
    return Result;
}

} // namespace

TEST(DxfStreamTest, LayersEntitiesAndPointsReadBackAfterAudit) {
    TScratchFolder Scratch;
    TDxfStream Dxf(100);
    Dxf.SetLayer("STATIONS");
    Dxf.SetLineColor(0x0000FF); // red, which prints as it is
    Dxf.DrawPoints(*Points({{0, 10, 0}, {5, 12, 0}, {10, 15, 0}, {15, 20, 0}, {20, 30, 0}}));
    Dxf.SetLayer("WATERLINES");
    Dxf.SetLineColor(clWhite);
    Dxf.DrawPoints(*Points({{0, 50, 0}, {50, 50, 0}, {100, 50, 0}}));
    Dxf.SetPen(0.18, lsDashDot);
    Dxf.DrawPoints(*Points({{0, 60, 0}, {50, 61, 0}, {100, 60, 0}}));
    // A line seen edge on that turns back keeps its turning point; a repeated point goes.
    Dxf.SetLayer("EDGE-ON");
    Dxf.DrawPoints(*Points({{0, 70, 0}, {10, 70, 0}, {10, 70, 1}, {20, 70, 0}, {5, 70, 0}}));
    Dxf.SetLayer("LABELS");
    Dxf.SetPen(0.18, lsSolid);
    Dxf.Text("Profile", 2, 2, 0);
    Dxf.SetTextStyle({5, haCentre, vaMiddle, 90, true});
    Dxf.Text("WL 2", 50, 50, 0);
    Dxf.SetTextStyle({5, haRight, vaTop, 0, false});
    Dxf.Text("Größe Ω", 50, 50, 0);
    Dxf.Line(0, 0, 0, 100, 0, 0);
    Dxf.Circle(50, 50, 0, 3);

    auto R = ReadBackDxf(Scratch.File("sheet.dxf"), Dxf.Document());
    EXPECT_EQ(R["errors"], "0");
    EXPECT_EQ(R["release"], "AC1009");
    EXPECT_EQ(R["layer STATIONS color"], "1");
    EXPECT_EQ(R["layer WATERLINES color"], "7");
    EXPECT_EQ(R["model STATIONS POLYLINE entities"], "1");
    EXPECT_EQ(R["model STATIONS POLYLINE points"], "5");
    EXPECT_EQ(R["model WATERLINES POLYLINE entities"], "2");
    // The straight one needs only its ends.
    EXPECT_EQ(R["model WATERLINES POLYLINE points"], "5");
    EXPECT_EQ(R["model EDGE-ON POLYLINE points"], "3");
    EXPECT_EQ(R["model LABELS TEXT entities"], "3");
    EXPECT_EQ(R["model LABELS TEXT h0v3r0"], "1");
    EXPECT_EQ(R["model LABELS TEXT h1v2r90"], "1");
    EXPECT_EQ(R["model LABELS TEXT h2v3r0"], "1");
    EXPECT_EQ(R["model LABELS LINE entities"], "1");
    EXPECT_EQ(R["model LABELS CIRCLE entities"], "1");
    const std::string D = Dxf.Document();
    // Sheet y 10 lies 90 above the bottom edge of a sheet 100 high.
    EXPECT_NE(D.find("\n10\n0\n20\n90\n30\n0\n"), std::string::npos);
    EXPECT_NE(D.find("\n6\nDASHDOT\n"), std::string::npos);
    // Latin-1 letters as the code page's bytes, others escaped.
    EXPECT_NE(D.find("\n1\nGr\xF6\xDF"
                     "e \\U+03A9\n"),
              std::string::npos);
}

TEST(DxfStreamTest, ModelPolylinesIn3DWithTheSheetOnPaper) {
    TScratchFolder Scratch;
    TDxfStream Dxf(100);
    Dxf.SetSheetInPaperSpace(true);
    Dxf.SetLayer("OUTLINE");
    Dxf.DrawPoints(*Points({{0, 10, 0}, {5, 12, 0}}));
    Dxf.AddPolyline3D(*Points({{50, 0, 0}, {50, 4, 1}, {50, 6, 3.5}, {50, 7, 9}}), "STATIONS-3D");

    auto R = ReadBackDxf(Scratch.File("model.dxf"), Dxf.Document());
    EXPECT_EQ(R["errors"], "0");
    EXPECT_EQ(R["paper OUTLINE POLYLINE points"], "2");
    EXPECT_EQ(R["model STATIONS-3D POLYLINE points"], "4");
    EXPECT_EQ(R["model STATIONS-3D POLYLINE 3d"], "1");
    EXPECT_EQ(R.count("model OUTLINE POLYLINE entities"), 0u);
}
