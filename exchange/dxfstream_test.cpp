// DXF files read back by an independent reader (ezdxf): they pass its audit, and every layer holds
// the entities and points drawn on it, the sheet turned upright.
#include "exchange/dxfstream.h"

#include "geometry/points.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace {

// What dxfcheck.py says of the file: "errors", "release" and one count per space, layer, kind
// of entity and measure ("entities", "points", "3d").
std::map<std::string, std::string> ReadBack(const std::string& FileName) {
    const std::string Command =
        std::string(KEELVANE_PYTHON) + " " + KEELVANE_DXF_CHECK + " '" + FileName + "' 2>&1";
    std::map<std::string, std::string> Result;
    FILE* Pipe = popen(Command.c_str(), "r");
    if (!Pipe) return Result;
    char Line[512];
    while (std::fgets(Line, sizeof Line, Pipe)) {
        std::string L(Line);
        if (!L.empty() && L.back() == '\n') L.pop_back();
        const auto Space = L.rfind(' ');
        Result[L.substr(0, Space)] = Space == std::string::npos ? "" : L.substr(Space + 1);
    }
    EXPECT_EQ(pclose(Pipe), 0);
    return Result;
}

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
    Dxf.DrawPoints(*Points({{0, 10, 0}, {5, 12, 0}, {10, 15, 0}, {15, 20, 0}, {20, 30, 0}}));
    Dxf.SetLayer("WATERLINES");
    Dxf.DrawPoints(*Points({{0, 50, 0}, {50, 50, 0}, {100, 50, 0}}));
    Dxf.DrawPoints(*Points({{0, 60, 0}, {50, 61, 0}, {100, 60, 0}}));
    Dxf.SetLayer("LABELS");
    Dxf.Text("Profile", 2, 2, 0);
    Dxf.Line(0, 0, 0, 100, 0, 0);
    Dxf.Circle(50, 50, 0, 3);
    Dxf.SaveToFile(Scratch.File("sheet.dxf"));

    auto R = ReadBack(Scratch.File("sheet.dxf"));
    EXPECT_EQ(R["errors"], "0");
    EXPECT_EQ(R["release"], "AC1009");
    EXPECT_EQ(R["model STATIONS POLYLINE entities"], "1");
    EXPECT_EQ(R["model STATIONS POLYLINE points"], "5");
    EXPECT_EQ(R["model WATERLINES POLYLINE entities"], "2");
    EXPECT_EQ(R["model WATERLINES POLYLINE points"], "6");
    EXPECT_EQ(R["model LABELS TEXT entities"], "1");
    EXPECT_EQ(R["model LABELS LINE entities"], "1");
    EXPECT_EQ(R["model LABELS CIRCLE entities"], "1");
    // Sheet y 10 lies 90 above the bottom edge of a sheet 100 high.
    EXPECT_NE(Dxf.Document().find("\n10\n0\n20\n90\n30\n0\n"), std::string::npos);
}

TEST(DxfStreamTest, ModelPolylinesIn3DWithTheSheetOnPaper) {
    TScratchFolder Scratch;
    TDxfStream Dxf(100);
    Dxf.SetSheetInPaperSpace(true);
    Dxf.SetLayer("OUTLINE");
    Dxf.DrawPoints(*Points({{0, 10, 0}, {5, 12, 0}}));
    Dxf.AddPolyline3D(*Points({{50, 0, 0}, {50, 4, 1}, {50, 6, 3.5}, {50, 7, 9}}), "STATIONS-3D");
    Dxf.SaveToFile(Scratch.File("model.dxf"));

    auto R = ReadBack(Scratch.File("model.dxf"));
    EXPECT_EQ(R["errors"], "0");
    EXPECT_EQ(R["paper OUTLINE POLYLINE points"], "2");
    EXPECT_EQ(R["model STATIONS-3D POLYLINE points"], "4");
    EXPECT_EQ(R["model STATIONS-3D POLYLINE 3d"], "1");
    EXPECT_EQ(R.count("model OUTLINE POLYLINE entities"), 0u);
}
