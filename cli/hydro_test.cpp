// keelvane-cli hydro: the particulars of a project as a table, CSV and JSON, the sectional areas,
// and the draughts and options refused.
#include "cli/commands.h"

#include "geometry/records.h"
#include "hull/keelvane.h"
#include "hydro/hydrostatics.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class HydroCliTest : public ::testing::Test {
protected:
    TScratchFolder Scratch;

    // A project of the default hull, generated or not.
    std::string Project(bool Generated) const {
        TKeelvane Hull;
        if (Generated) Hull.Generate();
        Hull.SaveToFile(Scratch.File("hull.kvp"));
        return Scratch.File("hull.kvp");
    }

    int Run(const TArguments& Arguments, std::string& Out, std::string& Err) const {
        std::ostringstream O, E;
        const int Code = RunCli(Arguments, O, E);
        Out = O.str();
        Err = E.str();
        return Code;
    }
};

int Lines(const std::string& Text) {
    return static_cast<int>(std::count(Text.begin(), Text.end(), '\n'));
}

} // namespace

TEST_F(HydroCliTest, ReportsTheProjectDraughtAndRanges) {
    const std::string File = Project(true);
    TKeelvane Hull;
    Hull.LoadFromFile(File);
    THydrostatics Hydro(Hull);
    Hydro.MidshipX = Hull.Midship();
    const THydroParticulars H = Hydro.At(Hull.Parameters().Draught);

    std::string Out, Err;
    ASSERT_EQ(Run({"hydro", File}, Out, Err), 0) << Err;
    // Two heading lines, an empty one, the column headings and one row at the design draught.
    EXPECT_EQ(Lines(Out), 5);
    EXPECT_NE(Out.find("midship section at x = 50.000"), std::string::npos);
    EXPECT_NE(Out.find("  " + FixedText(H.Draught, 3) + "  " + FixedText(H.Lwl, 3)),
              std::string::npos);
    EXPECT_NE(Out.find(" " + FixedText(H.Volume, 1) + " "), std::string::npos);

    ASSERT_EQ(Run({"hydro", File, "--draughts", "1:4:4", "--sections", "5", "--csv"}, Out, Err), 0)
        << Err;
    std::istringstream Csv(Out);
    std::string Line;
    std::getline(Csv, Line);
    EXPECT_EQ(Line, "Draught,Lwl,Bwl,Volume,Displacement,LCB,KB,Awp,LCF,Am,Cb,Cm,Cp,Cwp,BMt,BMl,"
                    "KMt,KMl,WettedSurface");
    std::getline(Csv, Line);
    EXPECT_EQ(Line.rfind("1,", 0), 0u);
    // Four draughts, an empty line, the section heading and five sections.
    EXPECT_EQ(Lines(Out), 1 + 4 + 1 + 1 + 5);
    EXPECT_NE(Out.find("x,Area at T=1,Area at T=2,Area at T=3,Area at T=4\n"), std::string::npos);

    ASSERT_EQ(Run({"hydro", File, "--draught", "3", "--density", "1", "--json"}, Out, Err), 0);
    EXPECT_NE(Out.find("\"density\": 1,"), std::string::npos);
    EXPECT_NE(Out.find("{\"Draught\": 3, \"Lwl\": "), std::string::npos);
}

TEST_F(HydroCliTest, RefusesDraughtsAndOptionsWithoutAnAnswer) {
    const std::string File = Project(true);
    std::string Out, Err;
    EXPECT_EQ(Run({"hydro", File, "--draught", "0"}, Out, Err), 1);
    EXPECT_EQ(Err, std::string(DraughtNotPositiveText) + "\n");
    EXPECT_EQ(Run({"hydro", File, "--draughts", "1:12:3"}, Out, Err), 1);
    EXPECT_EQ(Err, "The draught 12 is above the top edge of the hull at 9.499\n");
    EXPECT_EQ(Out, "");

    EXPECT_EQ(Run({"hydro", File, "--draught", "1", "--draughts", "1:2:2"}, Out, Err), 2);
    EXPECT_EQ(Run({"hydro", File, "--sections", "1"}, Out, Err), 2);
    EXPECT_EQ(Run({"hydro", File, "--density", "-1"}, Out, Err), 2);
    EXPECT_EQ(Run({"hydro", File, "--csv", "--json"}, Out, Err), 2);

    EXPECT_EQ(Run({"hydro", Project(false)}, Out, Err), 1);
    EXPECT_EQ(Err, "There is no hull surface: generate the hull first\n");
}
