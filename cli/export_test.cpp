// keelvane-cli export: every format in one run, and runs that fail leaving nothing behind.
#include "cli/commandtest.h"

#include "exchange/exportsurface.h"

namespace {

class ExportTest : public TCommandTest {
protected:
    int Export(const TArguments& Arguments) { return Run("export", Arguments); }
};

} // namespace

TEST_F(ExportTest, WritesEveryFormatInOneRun) {
    ASSERT_EQ(Export({Project(true), "--step", Path("h.step"), "--iges", Path("h.igs"), "--stl",
                      Path("h.stl"), "--offsets", Path("h.csv"), "--both-halves", "--curves",
                      "--stations", "10,50,90", "--waterlines", "3:6:4", "--samples", "4"}),
              0)
        << Err;
    EXPECT_EQ(
        Out.rfind("Exported " + Path("h.step") + ", " + Path("h.igs") + ", " + Path("h.stl") + " (",
                  0),
        0u)
        << Out;
    EXPECT_NE(Out.find(Path("h.csv") + " (3 stations x 4 waterlines)\n"), std::string::npos);
    EXPECT_EQ(FilesInFolder(), 5u);
    const std::string Csv = FileText(Path("h.csv"));
    EXPECT_EQ(Csv.substr(0, Csv.find('\r')), "x \\ z,3,4,5,6");
    EXPECT_EQ(std::count(Csv.begin(), Csv.end(), '\n'), 4);
    // Midships lies in the parallel middle body: half the beam at every waterline above the bilge.
    EXPECT_NE(Csv.find("\r\n50,10.0000,10.0000,10.0000,10.0000\r\n"), std::string::npos) << Csv;
}

TEST_F(ExportTest, FailuresWriteNothing) {
    const std::string Hull = Project(true);
    // A folder that does not exist, after outputs that could be written.
    EXPECT_EQ(Export({Hull, "--stl", Path("a.stl"), "--offsets", Path("a.csv"), "--step",
                      Path("missing/a.step")}),
              1);
    EXPECT_NE(Err.find("Unable to write file"), std::string::npos) << Err;
    EXPECT_EQ(FilesInFolder(), 1u);

    const std::string Empty = Project(false);
    EXPECT_EQ(Export({Empty, "--step", Path("b.step"), "--stl", Path("b.stl")}), 1);
    EXPECT_EQ(Err, std::string(NoSurfaceText) + "\n");
    EXPECT_EQ(FilesInFolder(), 1u);

    const std::string Same = Path("same.out");
    for (const TArguments& Bad :
         {TArguments{Hull}, TArguments{Hull, "--offsets", Path("c.csv"), "--stations", ""},
          TArguments{Hull, "--step", Same, "--stl", Same},
          TArguments{Hull, "--stl", Path("c.stl"), "--samples", "0"},
          TArguments{Hull, "--stl", Path("c.stl"), "--stl", Path("d.stl")},
          TArguments{"--stl", Path("c.stl")}}) {
        EXPECT_EQ(Export(Bad), 2) << Err;
        EXPECT_NE(Err.find("Usage:"), std::string::npos);
    }
    EXPECT_EQ(FilesInFolder(), 1u);
}
