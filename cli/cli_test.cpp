// Tests of keelvane-cli: the commands through their entry point, and the built tool itself for
// its exit codes.
#include "cli/commands.h"

#include "hull/keelvane.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

struct TRun {
    int Code;
    std::string Out, Err;
};

TRun Cli(const TArguments& Arguments) {
    std::ostringstream Out, Err;
    const int Code = RunCli(Arguments, Out, Err);
    return {Code, Out.str(), Err.str()};
}

class CliTest : public ::testing::Test {
protected:
    TScratchFolder Scratch;
    const std::filesystem::path& Folder = Scratch.Path();

    std::string Path(const std::string& Name) const { return Scratch.File(Name); }

    TKeelvaneParameters Saved(const std::string& Name) const {
        TKeelvane K;
        K.LoadFromFile(Path(Name));
        return K.Parameters();
    }
};

} // namespace

TEST_F(CliTest, GenerateDefaultsWritesAProjectAndOneSummaryLine) {
    const TRun R = Cli({"generate", "-o", Path("out.kvp")});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Wrote " + Path("out.kvp") +
                         ": net 23 x 12, x -5.000 .. 102.000, y 0.000 .. 10.000, z 0.000 .. "
                         "9.500\n");
    EXPECT_NE(R.Err.find("Creating Curves\n  0%\n"), std::string::npos);
    EXPECT_NE(R.Err.find("Creating Mesh\n  100%\n"), std::string::npos);
    EXPECT_EQ(FileText(Path("out.kvp")).rfind("[TKeelvaneEditor]\r\nBowShape=0\r\n", 0), 0u);
}

TEST_F(CliTest, SettingsGoThroughTheSettersInOrder) {
    ASSERT_EQ(
        Cli({"generate", "-s", "BilgeRadius=50", "-s", "FOSBow=70", "-o", Path("a.kvp")}).Code, 0);
    TKeelvaneParameters P = Saved("a.kvp");
    EXPECT_DOUBLE_EQ(P.BilgeRadius, 9.5);
    EXPECT_DOUBLE_EQ(P.ParallelDeckF, 82.19);

    // A depth below the old draught is fine once the draught follows.
    const TRun R = Cli({"generate", "-s", "Depth=4", "-s", "Draught=3", "-o", Path("b.kvp")});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_DOUBLE_EQ(Saved("b.kvp").Depth, 4);

    ASSERT_EQ(
        Cli({"generate", "--length-only", "-s", "Lbp=200", "--bulbous", "-o", Path("c.kvp")}).Code,
        0);
    P = Saved("c.kvp");
    EXPECT_EQ(P.BowShape, 1);
    EXPECT_DOUBLE_EQ(P.Beam, 20);
    EXPECT_DOUBLE_EQ(P.ParallelDeckF, 152);

    ASSERT_EQ(Cli({"generate", "-i", Path("c.kvp"), "--plain", "-o", Path("d.kvp")}).Code, 0);
    P = Saved("d.kvp");
    EXPECT_EQ(P.BowShape, 0);
    EXPECT_DOUBLE_EQ(P.Lbp, 200);
}

TEST_F(CliTest, ModelErrorsExitOneAndLeaveTheOutputAlone) {
    std::ofstream(Path("keep.kvp")) << "old";
    TRun R = Cli({"generate", "-s", "Depth=3", "-o", Path("keep.kvp")});
    EXPECT_EQ(R.Code, 1);
    EXPECT_EQ(R.Err.substr(R.Err.rfind("Depth")), "Depth must be greater than Draught\n");
    EXPECT_EQ(FileText(Path("keep.kvp")), "old");

    R = Cli({"generate", "-s", "Lbp=0", "-o", Path("new.kvp")});
    EXPECT_EQ(R.Code, 1);
    EXPECT_EQ(R.Err, "Lbp must be greater than 0\n");
    EXPECT_FALSE(std::filesystem::exists(Path("new.kvp")));

    EXPECT_EQ(Cli({"generate", "-i", Path("keep.kvp"), "-o", Path("new.kvp")}).Err,
              "File does not contain a Keelvane Definition\n");
    EXPECT_EQ(Cli({"info", Path("none.kvp")}).Code, 1);
}

TEST_F(CliTest, UsageErrorsExitTwoWithTheUsage) {
    const TArguments Bad[] = {
        {},
        {"shape"},
        {"generate"},
        {"generate", "-o"},
        {"generate", "-s", "Bogus=1", "-o", "x.kvp"},
        {"generate", "-s", "Beam=2,5", "-o", "x.kvp"},
        {"generate", "-s", "Beam", "-o", "x.kvp"},
        {"generate", "--bulbous", "--plain", "-o", "x.kvp"},
        {"generate", "-o", "x.kvp", "-o", "y.kvp"},
        {"generate", "--fast", "-o", "x.kvp"},
        {"info"},
        {"info", "a.kvp", "--xml"},
    };
    for (const TArguments& A : Bad) {
        const TRun R = Cli(A);
        EXPECT_EQ(R.Code, 2) << (A.empty() ? "" : A.back());
        EXPECT_NE(R.Err.find("Usage:\n  keelvane-cli generate"), std::string::npos);
        EXPECT_TRUE(R.Out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists("x.kvp"));
}

TEST_F(CliTest, DiagnosticsGoWhereAskedAndOnlyBesideASavedProject) {
    const TRun R = Cli({"generate", "-o", Path("d.kvp"), "--geo", Path("diag.geo")});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(FileText(Path("diag.geo")).rfind("[TBSpline]\r\n", 0), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder), {}), 2);

    // A project that cannot be saved, a construction that cannot be written, a hull that cannot
    // be generated: nothing more is written.
    const std::vector<TArguments> Failing = {
        {"generate", "-o", Path("missing/e.kvp"), "--geo", Path("e.geo")},
        {"generate", "-o", Path("e.kvp"), "--geo", Path("missing/e.geo")},
        {"generate", "-s", "TransomImmersion=3", "-o", Path("e.kvp"), "--geo", Path("e.geo")},
    };
    for (const TArguments& A : Failing) {
        const TRun F = Cli(A);
        EXPECT_EQ(F.Code, 1) << F.Err;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder), {}), 2) << A[2];
    }
}

TEST_F(CliTest, InfoShowsParametersAndTheStoredNet) {
    ASSERT_EQ(Cli({"generate", "-s", "Beam=22", "-o", Path("i.kvp")}).Code, 0);
    TRun R = Cli({"info", Path("i.kvp")});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_NE(R.Out.find("\nBowShape=0\nLbp=100.000\nBeam=22.000\n"), std::string::npos);
    EXPECT_NE(R.Out.find("\nnet 23 x 12, x -5.000 .. 102.000, y 0.000 .. 11.000"),
              std::string::npos);

    R = Cli({"info", "--json", Path("i.kvp")});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_NE(R.Out.find("\"Beam\": 22,"), std::string::npos);
    EXPECT_NE(R.Out.find("\"TransomImmersion\": -0.86,"), std::string::npos);
    EXPECT_NE(R.Out.find("\"net\": {\"NumU\": 23, \"NumV\": 12}"), std::string::npos);
    EXPECT_NE(R.Out.find("\"extents\": {\"MinX\": -5, \"MaxX\": 102,"), std::string::npos);
    EXPECT_EQ(R.Out.back(), '\n');
}

TEST_F(CliTest, TheBuiltToolReturnsTheExitCodes) {
    const std::string Tool = KEELVANE_CLI_PATH;
    const auto Run = [&](const std::string& Arguments) {
        const int Status = std::system((Tool + " " + Arguments + " >/dev/null 2>&1").c_str());
        return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    };
    EXPECT_EQ(Run("generate -o " + Path("t.kvp")), 0);
    EXPECT_EQ(Run("info " + Path("t.kvp")), 0);
    EXPECT_EQ(Run("generate -s Depth=1 -o " + Path("u.kvp")), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("u.kvp")));
    EXPECT_EQ(Run("generate -s Bogus=1 -o " + Path("u.kvp")), 2);
}
