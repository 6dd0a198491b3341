// keelvane-cli export: every format in one run, and runs that fail leaving nothing behind and the
// old files as they were.
#include "cli/commandtest.h"

#include "exchange/exportsurface.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

class ExportTest : public TCommandTest {
protected:
    int Export(const TArguments& Arguments) { return Run("export", Arguments); }

    void WriteOld(const std::string& Name) const { std::ofstream(Path(Name)) << "old"; }
};

} // namespace

TEST_F(ExportTest, WritesEveryFormatInOneRun) {
    ASSERT_EQ(
        Export({Project(true), "--step",    Path("h.step"), "--iges", Path("h.igs"),   "--stl",
                Path("h.stl"), "--offsets", Path("h.csv"),  "--dxf",  Path("h.dxf"),   "--dxf-3d",
                "--paper",     "A2",        "--unit",       "m",      "--both-halves", "--curves",
                "--stations",  "10,50,90",  "--waterlines", "3:6:4",  "--buttocks",    "none",
                "--samples",   "4"}),
        0)
        << Err;
    EXPECT_EQ(Out.rfind("Exported " + Path("h.step") + ", " + Path("h.igs") + ", " + Path("h.dxf") +
                            " (A2 at 1:",
                        0),
              0u)
        << Out;
    EXPECT_NE(Out.find(", 3-D lines), " + Path("h.stl") + " ("), std::string::npos) << Out;
    EXPECT_NE(Out.find(Path("h.csv") + " (3 stations x 4 waterlines)\n"), std::string::npos);
    EXPECT_EQ(FilesInFolder(), 6u);
    const std::string Csv = FileText(Path("h.csv"));
    EXPECT_EQ(Csv.substr(0, Csv.find('\r')), "x \\ z,3,4,5,6");
    EXPECT_EQ(std::count(Csv.begin(), Csv.end(), '\n'), 4);
    // Midships lies in the parallel middle body: half the beam at every waterline above the bilge.
    EXPECT_NE(Csv.find("\r\n50,10.0000,10.0000,10.0000,10.0000\r\n"), std::string::npos) << Csv;
    // The DXF sheet on paper, the hull's lines in model space, no buttocks.
    const std::string Dxf = FileText(Path("h.dxf"));
    EXPECT_EQ(Dxf.rfind("0\nSECTION\n2\nHEADER\n", 0), 0u);
    EXPECT_NE(Dxf.find("\n8\nSTATIONS-3D\n"), std::string::npos);
    EXPECT_NE(Dxf.find("\n8\nWATERLINES\n"), std::string::npos);
    EXPECT_EQ(Dxf.find("\n8\nBUTTOCKS"), std::string::npos);
    EXPECT_NE(Dxf.find("\n1\nunits: m\n"), std::string::npos);
}

TEST_F(ExportTest, FailuresWriteNothingAndKeepTheOldFiles) {
    const std::string Hull = Project(true);
    WriteOld("a.stl");
    WriteOld("a.csv");
    // A name that cannot be created fails before any work, with the system's reason.
    EXPECT_EQ(Export({Hull, "--stl", Path("a.stl"), "--step", Path("hull.kvp/a.step")}), 1);
    EXPECT_EQ(Err, "Unable to create file " + Path("hull.kvp/a.step") + ": Not a directory\n");
    // An output that fails while it is written: the others are not put into place.
    EXPECT_EQ(
        Export({Hull, "--stl", Path("a.stl"), "--offsets", Path("a.csv"), "--dxf", "/dev/full"}),
        1);
    EXPECT_EQ(Err, "Unable to write file /dev/full: No space left on device\n");
    // A sheet that does not fit, after outputs that could be written.
    EXPECT_EQ(Export({Hull, "--stl", Path("a.stl"), "--dxf", Path("a.dxf"), "--scale", "1:10"}), 1);
    EXPECT_NE(Err.find("does not fit on A3 at 1:10"), std::string::npos) << Err;
    EXPECT_EQ(FileText(Path("a.stl")), "old");
    EXPECT_EQ(FileText(Path("a.csv")), "old");
    EXPECT_EQ(FilesInFolder(), 3u);

    const std::string Empty = Project(false);
    EXPECT_EQ(Export({Empty, "--step", Path("b.step"), "--stl", Path("b.stl")}), 1);
    EXPECT_EQ(Err, std::string(NoSurfaceText) + "\n");
    EXPECT_EQ(FilesInFolder(), 3u);
}

TEST_F(ExportTest, OutputsNamingOneFileAreRefusedBeforeAnything) {
    const std::string Hull = Project(true);
    fs::create_directory(Path("sub"));
    WriteOld("real.dxf");
    fs::create_symlink("real.dxf", Path("link.dxf"));
    for (const TArguments& Bad :
         {TArguments{Hull, "--step", Path("a.out"), "--iges", Path("sub/../a.out")},
          TArguments{Hull, "--dxf", Path("link.dxf"), "--offsets", Path("real.dxf")},
          TArguments{Hull, "--stl", Path("a.out"), "--offsets", Path("./a.out")}}) {
        EXPECT_EQ(Export(Bad), 2) << Err;
        EXPECT_NE(Err.find(" name the same file "), std::string::npos) << Err;
    }
    EXPECT_EQ(FileText(Path("real.dxf")), "old");
    EXPECT_EQ(FilesInFolder(), 4u);

    // A link given as an output is followed: the file it names is replaced, the link stays.
    ASSERT_EQ(Export({Hull, "--dxf", Path("link.dxf"), "--view", "body", "-q"}), 0) << Err;
    EXPECT_EQ(Out + Err, "");
    EXPECT_TRUE(fs::is_symlink(Path("link.dxf")));
    EXPECT_EQ(FileText(Path("real.dxf")).rfind("0\nSECTION\n", 0), 0u);
    EXPECT_EQ(FilesInFolder(), 4u);
}

TEST_F(ExportTest, UnusableArgumentsAreUsageErrors) {
    const std::string Hull = Project(true);
    for (const TArguments& Bad :
         {TArguments{Hull}, TArguments{Hull, "--offsets", Path("c.csv"), "--stations", ""},
          TArguments{Hull, "--stl", Path("c.stl"), "--samples", "0"},
          TArguments{Hull, "--stl", Path("c.stl"), "--stl", Path("d.stl")},
          TArguments{Hull, "--stl", Path("c.stl"), "--dxf-3d"},
          TArguments{Hull, "--dxf", Path("c.dxf"), "--paper", "B4"},
          TArguments{"--stl", Path("c.stl")}}) {
        EXPECT_EQ(Export(Bad), 2) << Err;
        EXPECT_NE(Err.find("Usage:"), std::string::npos);
    }
    EXPECT_EQ(FilesInFolder(), 1u);
}
