// The lines plan as DXF, read back by ezdxf: a layer for each kind of line, holding the sheet's
// lines of that kind in every view, and the hull's lines in model space when asked.
#include "exchange/linesplandxf.h"

#include "contours/contours.h"
#include "drawing/hulllines.h"
#include "drawing/linesplan.h"
#include "exchange/dxfreadback.h"
#include "hull/keelvane.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class LinesPlanDxfTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Hull = std::make_unique<TKeelvane>();
        Hull->Generate();
        for (const double x : {10, 30, 50, 70, 90}) Planes.Add(0, x);
        for (const double y : {2, 5}) Planes.Add(1, y);
        for (const double z : {2, 4, 6}) Planes.Add(2, z);
        Sheet = std::make_unique<TLinesPlanSheet>(*Hull, Planes, TLinesPlanOptions{});
    }
    static void TearDownTestSuite() {
        Sheet.reset();
        Hull.reset();
    }

    static inline std::unique_ptr<TKeelvane> Hull;
    static inline TContours Planes;
    static inline std::unique_ptr<TLinesPlanSheet> Sheet;
    TScratchFolder Scratch;

    std::string Document(bool ModelLines) const {
        std::ostringstream Out;
        WriteLinesPlanDxf(Out, *Sheet, ModelLines);
        return Out.str();
    }

    // Polylines and points of the sections of an axis.
    static std::pair<int, int> Sections(int Axis) {
        int Lines = 0, Points = 0;
        for (const auto& S : Sheet->Lines().Sections)
            if (S->Axis == Axis)
                for (int i = 0; i < S->Lines.Count(); ++i, ++Lines)
                    Points += S->Lines.Polyline(i).Count();
        return {Lines, Points};
    }
};

} // namespace

TEST_F(LinesPlanDxfTest, EachKindOfLineOnItsLayerInEveryView) {
    auto R = ReadBackDxf(Scratch.File("sheet.dxf"), Document(false));
    EXPECT_EQ(R["errors"], "0");
    // Stations show in the profile and plan edge on and in the body plan in their shape;
    // waterlines and buttocks also on both sides of the body plan.
    EXPECT_EQ(R["model STATIONS POLYLINE entities"], std::to_string(3 * Sections(0).first));
    EXPECT_EQ(R["model BUTTOCKS POLYLINE entities"], std::to_string(4 * Sections(1).first));
    EXPECT_EQ(R["model WATERLINES POLYLINE entities"], std::to_string(4 * Sections(2).first));
    EXPECT_GE(Sections(0).first, 5);
    // Keel and deck edge in each view and mirrored in the body plan, the ends in profile and
    // plan, the stem and the mirrored transom in the body plan.
    EXPECT_EQ(R["model OUTLINE POLYLINE entities"], "14");
    EXPECT_EQ(R["model DWL LINE entities"], "2");
    EXPECT_EQ(R["model DWL POLYLINE entities"],
              std::to_string(Sheet->Lines().DesignWaterline->Lines.Count()));
    EXPECT_EQ(R["model FRAME LINE entities"], "4");
    EXPECT_NE(R["model REFERENCE LINE entities"], "");
    EXPECT_NE(R["model TITLE TEXT entities"], "");
    EXPECT_NE(R["model LEGEND TEXT entities"], "");
    // Colours as the sheet's: the stations' purple, the outline in the foreground colour.
    EXPECT_EQ(R["layer OUTLINE color"], "7");
    EXPECT_NE(R["layer STATIONS color"], "7");
    EXPECT_NE(R["layer STATIONS color"], R["layer WATERLINES color"]);
    for (const auto& [Key, Value] : R) EXPECT_EQ(Key.find("-3D"), std::string::npos) << Key;
    const std::string D = Document(false);
    for (const char* Label :
         {"DWL", "AP", "FP", "BL", "CL", "WL 4", "BT 5", "Profile", "Body plan"})
        EXPECT_NE(D.find(std::string("\n1\n") + Label + "\n"), std::string::npos) << Label;
}

TEST_F(LinesPlanDxfTest, ModelLinesIn3DBesideTheSheetOnPaper) {
    auto R = ReadBackDxf(Scratch.File("model.dxf"), Document(true));
    EXPECT_EQ(R["errors"], "0");
    const char* Layers[] = {"STATIONS-3D", "BUTTOCKS-3D", "WATERLINES-3D"};
    for (int Axis = 0; Axis < 3; ++Axis) {
        const std::string Key = std::string("model ") + Layers[Axis] + " POLYLINE ";
        EXPECT_EQ(R[Key + "entities"], std::to_string(Sections(Axis).first)) << Key;
        EXPECT_EQ(R[Key + "3d"], std::to_string(Sections(Axis).first)) << Key;
        EXPECT_EQ(R[Key + "points"], std::to_string(Sections(Axis).second)) << Key;
    }
    EXPECT_EQ(R["model OUTLINE-3D POLYLINE entities"], "4");
    EXPECT_EQ(R["paper STATIONS POLYLINE entities"], std::to_string(3 * Sections(0).first));
    EXPECT_EQ(R.count("model STATIONS POLYLINE entities"), 0u);
}
