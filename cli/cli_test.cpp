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
    // No terminal here: no progress, no stages.
    EXPECT_EQ(R.Err, "");
    EXPECT_EQ(FileText(Path("out.kvp")).rfind("[TKeelvaneEditor]\r\nBowShape=0\r\n", 0), 0u);
}

TEST_F(CliTest, SettingsGoThroughTheSettersInOrder) {
    ASSERT_EQ(
        Cli({"generate", "-s", "BilgeRadius=50", "-s", "FOSBow=70", "-o", Path("a.kvp")}).Code, 0);
    TKeelvaneParameters P = Saved("a.kvp");
    EXPECT_DOUBLE_EQ(P.BilgeRadius, 9.5);
    EXPECT_DOUBLE_EQ(P.ParallelDeckF, 82.19);

    // A draught above the old depth is fine once the depth follows.
    const TRun R = Cli({"generate", "-s", "Draught=10", "-s", "Depth=22", "-o", Path("b.kvp")});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_DOUBLE_EQ(Saved("b.kvp").Depth, 22);

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
              Path("keep.kvp") + ": File does not contain a Keelvane Definition\n");
    EXPECT_EQ(Cli({"info", Path("none.kvp")}).Err,
              "Unable to open file " + Path("none.kvp") + ": No such file or directory\n");
    EXPECT_EQ(Cli({"info", Folder.string()}).Err,
              "Unable to open file " + Folder.string() + ": Is a directory\n");

    // Points of the net the construction could not find are errors of the command, each with
    // the step and the parameters to look at, though the model goes on.
    R = Cli({"generate", "-s", "Depth=4", "-s", "Draught=3", "-o", Path("new.kvp")});
    EXPECT_EQ(R.Code, 1);
    EXPECT_EQ(R.Err.rfind("Error: -2.385", 0), 0u) << R.Err;
    EXPECT_NE(R.Err.find(" (while building the columns of the aft run; look at StRootHeight, "),
              std::string::npos);
    EXPECT_NE(R.Err.find("\nGeneration failed: 6 error(s) reported above; nothing written\n"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("new.kvp")));

    // A size the hull cannot have is refused by its setter, with its range.
    R = Cli({"generate", "-s", "StShaftHeight=-1.906", "-o", Path("new.kvp")});
    EXPECT_EQ(R.Code, 1);
    EXPECT_EQ(R.Err, "StShaftHeight must be 0 or more\n");
    EXPECT_FALSE(std::filesystem::exists(Path("new.kvp")));
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
        {"generate", "-s", "BowShape=7", "-o", "x.kvp"},
        {"generate", "-s", "BowShape=0.5", "-o", "x.kvp"},
        {"generate", "-s", "BowShape=-1", "-o", "x.kvp"},
        {"generate", "-s", "Beam=1e400", "-o", "x.kvp"},
        {"generate", "-o", "x.kvp", "--geo", "./x.kvp"},
        {"info"},
        {"info", "a.kvp", "--xml"},
    };
    for (const TArguments& A : Bad) {
        const TRun R = Cli(A);
        EXPECT_EQ(R.Code, 2) << (A.empty() ? "" : A.back());
        EXPECT_NE(R.Err.find("Usage: keelvane-cli "), std::string::npos);
        EXPECT_TRUE(R.Out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists("x.kvp"));
    EXPECT_NE(Cli({"generate", "-s", "BowShape=7", "-o", "x.kvp"})
                  .Err.find("BowShape is 0 (plain bow) or 1 (bulbous bow), not '7'"),
              std::string::npos);
    EXPECT_NE(Cli({"generate", "-s", "Beam=1e400", "-o", "x.kvp"})
                  .Err.find("Beam: '1e400' is out of range"),
              std::string::npos);
}

TEST_F(CliTest, TwoOutputsNamingOneFileAreRefusedBeforeAnythingIsWritten) {
    std::ofstream(Path("h.kvp")) << "old";
    std::filesystem::create_directory(Path("sub"));
    const TRun R =
        Cli({"generate", "-i", Path("h.kvp"), "-o", Path("h.kvp"), "--geo", Path("sub/../h.kvp")});
    EXPECT_EQ(R.Code, 2);
    EXPECT_NE(R.Err.find("-o and --geo name the same file"), std::string::npos) << R.Err;
    EXPECT_EQ(FileText(Path("h.kvp")), "old");
    // Reading and writing one project is fine.
    ASSERT_EQ(Cli({"generate", "-o", Path("h.kvp")}).Code, 0);
    ASSERT_EQ(Cli({"generate", "-i", Path("h.kvp"), "-s", "Beam=21", "-o", Path("h.kvp")}).Code, 0);
    EXPECT_DOUBLE_EQ(Saved("h.kvp").Beam, 21);
}

TEST_F(CliTest, HelpForTheToolAndForEachCommand) {
    TRun R = Cli({"--help"});
    EXPECT_EQ(R.Code, 0);
    for (const TCommand& C : Commands()) {
        EXPECT_NE(R.Out.find(std::string("  ") + C.Name), std::string::npos) << C.Name;
        const TRun H = Cli({C.Name, "--help"});
        EXPECT_EQ(H.Code, 0);
        EXPECT_EQ(H.Out.rfind(std::string("Usage: keelvane-cli ") + C.Usage, 0), 0u) << C.Name;
        EXPECT_NE(H.Out.find("Options:\n"), std::string::npos) << C.Name;
        EXPECT_NE(H.Out.find("Example:\n  keelvane-cli " + std::string(C.Name)), std::string::npos);
    }
    R = Cli({"generate", "-o", Path("q.kvp"), "--quiet"});
    EXPECT_EQ(R.Code, 0);
    EXPECT_EQ(R.Out + R.Err, "");
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

// A file written to the standard output is all that goes there: the summary moves to the error
// stream, so a piped project or lines plan stays whole.
TEST_F(CliTest, AnOutputOnTheStandardOutputStaysWhole) {
    const std::string Tool = KEELVANE_CLI_PATH;
    const auto Run = [&](const std::string& Arguments, const std::string& Output) {
        return std::system(
            (Tool + " " + Arguments + " >" + Path(Output) + " 2>" + Path("err.txt")).c_str());
    };
    ASSERT_EQ(Run("generate -o /dev/stdout", "piped.kvp"), 0);
    EXPECT_NE(FileText(Path("err.txt")).find("Wrote /dev/stdout: net 23 x 12"), std::string::npos);
    ASSERT_EQ(Cli({"generate", "-o", Path("saved.kvp")}).Code, 0);
    EXPECT_EQ(FileText(Path("piped.kvp")), FileText(Path("saved.kvp")));

    ASSERT_EQ(Run("lines " + Path("saved.kvp") + " --svg /dev/stdout", "plan.svg"), 0);
    EXPECT_TRUE(FileText(Path("plan.svg")).ends_with("</svg>\n"));
    EXPECT_NE(FileText(Path("err.txt")).find(" contour polylines from "), std::string::npos);
}
