// keelvane-cli lines: the lines plan of a project as SVG sheet and geometry file, plane lists
// typed as text, and the errors that leave nothing written.
#include "cli/commandtest.h"
#include "cli/planelist.h"
#include "drawing/linesplan.h"

#include "contours/computecontours.h"
#include "contours/contourlinks.h"
#include "contours/contours.h"
#include "display/svgstream.h"
#include "geometry/polylist.h"
#include "geometry/records.h"
#include "hull/keelvane.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class LinesTest : public TCommandTest {
protected:
    int Lines(const TArguments& Arguments) { return Run("lines", Arguments); }
};

int Occurrences(const std::string& Text, const std::string& Part) {
    int N = 0;
    for (auto At = Text.find(Part); At != std::string::npos; At = Text.find(Part, At + 1)) ++N;
    return N;
}

} // namespace

TEST(PlaneListTest, ListsAndEvenSpacingAndMalformedText) {
    EXPECT_EQ(ParsePlaneList("10,20,30.5"), (std::vector<double>{10, 20, 30.5}));
    EXPECT_EQ(ParsePlaneList(" -1 "), (std::vector<double>{-1}));
    EXPECT_EQ(ParsePlaneList("0:10:5"), (std::vector<double>{0, 2.5, 5, 7.5, 10}));
    EXPECT_EQ(ParsePlaneList("10:0:3"), (std::vector<double>{10, 5, 0}));
    EXPECT_EQ(ParsePlaneList("4:4:1"), (std::vector<double>{4}));
    EXPECT_EQ(ParsePlaneList("0:1:10000")->size(), 10000u);
    for (const char* Bad :
         {"", "1,,2", "1,", "a", "1e999", "nan", "0:10", "0:10:0", "0:10:1", "0:10:2.5", "0:x:3",
          "1:2:3:4", "1,2:3:4", "0:100:10001", "0:100:2147483647"})
        EXPECT_EQ(ParsePlaneList(Bad), std::nullopt) << Bad;
    EXPECT_EQ(LinesViewByName("body"), lvBody);
    EXPECT_EQ(LinesViewByName("side"), std::nullopt);
}

TEST_F(LinesTest, WritesADrawnPlanAndContoursThatReadBack) {
    ASSERT_EQ(Lines({Project(true), "--stations", "0:100:11", "--waterlines", "1,3,5,7",
                     "--buttocks", "2:8:3", "--svg", Path("plan.svg"), "--pdf", Path("plan.pdf"),
                     "--geo", Path("plan.geo")}),
              0)
        << Err;
    EXPECT_NE(Out.find("from 11 stations, 4 waterlines and 3 buttocks"), std::string::npos);

    std::ifstream Geo(Path("plan.geo"));
    TTextReader Reader(Geo);
    EXPECT_EQ(Reader.ReadLine(), "[TPolylineList]");
    TPolylineList Contours;
    Contours.LoadFromText(Reader);
    EXPECT_EQ(Out.substr(0, Out.find(' ')), std::to_string(Contours.Count()));
    EXPECT_GE(Contours.Count(), 18);

    const std::string Svg = FileText(Path("plan.svg"));
    // Each of the three views draws the four outline edges and every contour at least once.
    EXPECT_GE(Occurrences(Svg, "<polyline"), 3 * (4 + Contours.Count()));
    for (const char* Caption : {">Profile<", ">Plan<", ">Body plan<"})
        EXPECT_NE(Svg.find(Caption), std::string::npos) << Caption;
    EXPECT_EQ(Occurrences(Svg, "nan") + Occurrences(Svg, "inf"), 0);
    // The same sheet as one PDF page of A3 in landscape, in whole points, without a display.
    const std::string Pdf = FileText(Path("plan.pdf"));
    EXPECT_EQ(Pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(Pdf.find("/MediaBox [0 0 1191"), std::string::npos);
    EXPECT_EQ(Occurrences(Pdf, "/Type /Page\n"), 1);
}

TEST_F(LinesTest, UnusableArgumentsAndModelErrorsWriteNothing) {
    const std::string Hull = Project(true);
    for (const TArguments& Bad :
         {TArguments{Hull, "--stations", "1:2"}, TArguments{Hull, "--buttocks", "1,,2"},
          TArguments{Hull, "--view", "side"}, TArguments{Hull, "--paper", "B4"},
          TArguments{Hull, "--scale", "50"}, TArguments{Hull, "--unit", "in"},
          TArguments{Hull, "--stations", "1", "--stations", "2"}, TArguments{}}) {
        TArguments Arguments = Bad;
        Arguments.insert(Arguments.end(), {"--svg", Path("bad.svg")});
        EXPECT_EQ(Lines(Arguments), 2);
        EXPECT_NE(Err.find("Usage:"), std::string::npos);
    }
    EXPECT_EQ(Lines({Hull, "--scale", "1:100", "--svg", Path("bad.svg"), "--geo", Path("bad.geo")}),
              1);
    EXPECT_NE(Err.find("at 1:100; the largest standard scale at which it fits is 1:500"),
              std::string::npos)
        << Err;
    EXPECT_EQ(Lines({Path("missing.kvp"), "--svg", Path("bad.svg"), "--geo", Path("bad.geo")}), 1);
    EXPECT_EQ(Lines({Project(false), "--svg", Path("bad.svg"), "--geo", Path("bad.geo")}), 1);
    EXPECT_NE(Err.find("The hull has no extent to draw"), std::string::npos);
    EXPECT_EQ(FilesInFolder(), 1u); // hull.kvp

    // Too many planes, and two outputs that are one file (here through a link).
    EXPECT_EQ(Lines({Hull, "--stations", "0:100:1000000"}), 2);
    EXPECT_NE(Err.find("(at most 10000)"), std::string::npos) << Err;
    std::filesystem::create_symlink("same.out", Path("link.out"));
    EXPECT_EQ(Lines({Hull, "--svg", Path("same.out"), "--geo", Path("link.out")}), 2);
    EXPECT_NE(Err.find("--svg and --geo name the same file"), std::string::npos) << Err;
    EXPECT_FALSE(std::filesystem::exists(Path("same.out")));
}

TEST_F(LinesTest, KindsNotGivenKeepTheUsualPlanesAndPlanesOutsideAreReported) {
    const std::string Hull = Project(true);
    ASSERT_EQ(Lines({Hull, "--stations", "-8,50,103,110"}), 0) << Err;
    EXPECT_NE(Out.find("from 4 stations, 9 waterlines and 4 buttocks"), std::string::npos) << Out;
    EXPECT_EQ(Err, "Warning: 3 station(s) lie outside the hull, x from -5.0 to 102.0\n");
    ASSERT_EQ(Lines({Hull, "--stations", "50", "--waterlines", "none", "--buttocks", "none"}), 0);
    EXPECT_NE(Out.find("from 1 stations, 0 waterlines and 0 buttocks"), std::string::npos) << Out;
    ASSERT_EQ(Lines({Hull, "--quiet", "--waterlines", "-1,20"}), 0);
    EXPECT_EQ(Out + Err, "");
}
