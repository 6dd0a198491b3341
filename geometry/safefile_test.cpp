// Tests of safe file writing: what replaces a regular file, what is written in place, and the
// old file kept whole whenever writing fails.
#include "geometry/safefile.h"

#include "geometry/errors.h"
#include "geometry/scratchfolder.h"
#include "geometry/testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void Write(const std::string& FileName, const std::string& Text) {
    TSafeFile File(FileName);
    File.Stream() << Text;
    File.Commit();
}

mode_t Mode(const std::string& FileName) {
    struct stat Info {};
    ::stat(FileName.c_str(), &Info);
    return Info.st_mode & 07777;
}

int FileCount(const fs::path& Folder) {
    return static_cast<int>(std::distance(fs::directory_iterator(Folder), {}));
}

} // namespace

TEST(SafeFile, ReplacesARegularFileKeepingItsModeAndOthersFiles) {
    TScratchFolder Scratch;
    const std::string Target = Scratch.File("out.kvp");
    Write(Target, "old");
    ::chmod(Target.c_str(), 0600);
    // A file named like a fixed temporary belongs to someone else and stays.
    Write(Target + ".tmp", "theirs");
    Write(Target, "new");
    EXPECT_EQ(FileText(Target), "new");
    EXPECT_EQ(Mode(Target), 0600u);
    EXPECT_EQ(FileText(Target + ".tmp"), "theirs");
    EXPECT_EQ(FileCount(Scratch.Path()), 2);

    // A new file gets the mode of the umask.
    const mode_t Mask = ::umask(022);
    Write(Scratch.File("fresh"), "x");
    ::umask(Mask);
    EXPECT_EQ(Mode(Scratch.File("fresh")), 0644u);
}

TEST(SafeFile, AFailureBeforeTheCommitLeavesTheOldFileAndNoTemporary) {
    TScratchFolder Scratch;
    const std::string Target = Scratch.File("keep");
    Write(Target, "old");
    {
        TSafeFile File(Target);
        File.Stream() << "half";
    }
    EXPECT_EQ(FileText(Target), "old");
    EXPECT_EQ(FileCount(Scratch.Path()), 1);

    ExpectMessage([&] { TSafeFile File(Scratch.Path().string()); },
                  "Unable to create file " + Scratch.Path().string() + ": Is a directory");
    ExpectMessage([&] { TSafeFile File(Scratch.File("no/such")); },
                  "Unable to create file " + Scratch.File("no/such") +
                      ": No such file or directory");
}

TEST(SafeFile, FollowsLinksAndReplacesWhatTheyName) {
    TScratchFolder Scratch;
    const std::string Real = Scratch.File("real"), Link = Scratch.File("link");
    Write(Real, "old");
    fs::create_symlink("real", Link);
    Write(Link, "new");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Link)));
    EXPECT_EQ(FileText(Real), "new");

    // A dangling link creates the file it names.
    fs::create_symlink("later", Scratch.File("dangling"));
    Write(Scratch.File("dangling"), "made");
    EXPECT_EQ(FileText(Scratch.File("later")), "made");
}

TEST(SafeFile, WritesDevicesAndFifosInPlace) {
    TScratchFolder Scratch;
    const std::string Fifo = Scratch.File("fifo");
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
    std::string Received;
    std::thread Reader([&] { Received = FileText(Fifo); });
    Write(Fifo, "through the pipe");
    Reader.join();
    EXPECT_EQ(Received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(Fifo));

    // A full device refuses the write: a failure, and the device stays a device.
    ExpectMessage([] { Write("/dev/full", std::string(1 << 16, 'x')); },
                  "Unable to write file /dev/full: No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(FileCount(Scratch.Path()), 1);
}

TEST(SafeFile, AGroupPutsItsFilesInPlaceOnlyWhenAllAreWritten) {
    TScratchFolder Scratch;
    const std::string A = Scratch.File("a"), B = Scratch.File("b");
    Write(A, "old a");
    try {
        TSafeFileGroup Group;
        Group.Add(A).Stream() << "new a";
        Group.Add(A).Commit(); // a member's own commit waits for the group
        Group.Add(Scratch.File("missing/b"));
        ADD_FAILURE() << "a file in a missing folder was created";
    } catch (const EIOError&) {
    }
    EXPECT_EQ(FileText(A), "old a");
    EXPECT_EQ(FileCount(Scratch.Path()), 1);

    TSafeFileGroup Group;
    Group.Add(A).Stream() << "new a";
    Group.Add(B).Stream() << "new b";
    Group.Commit();
    EXPECT_EQ(FileText(A) + FileText(B), "new anew b");
}

TEST(SafeFile, SameFileComparesTheFilesNotTheSpellings) {
    TScratchFolder Scratch;
    const std::string A = Scratch.File("a");
    Write(A, "a");
    fs::create_symlink("a", Scratch.File("link"));
    fs::create_hard_link(A, Scratch.File("hard"));
    fs::create_directory(Scratch.File("sub"));
    EXPECT_TRUE(SameFile(A, Scratch.File("link")));
    EXPECT_TRUE(SameFile(A, Scratch.File("hard")));
    EXPECT_TRUE(SameFile(A, Scratch.File("sub/../a")));
    EXPECT_TRUE(SameFile(Scratch.File("new"), Scratch.File("sub/../new")));
    EXPECT_FALSE(SameFile(A, Scratch.File("new")));
    EXPECT_FALSE(SameFile(Scratch.File("new"), Scratch.File("other")));
}

// Run as an ordinary user: root may write into any folder and would hide the fault.
TEST(SafeFile, AFolderWithoutWritePermissionGivesTheSystemsReason) {
    TScratchFolder Scratch;
    const std::string Target = Scratch.File("locked/out");
    fs::create_directory(Scratch.File("locked"));
    ::chmod(Scratch.File("locked").c_str(), 0555);
    const pid_t Child = ::fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
        constexpr uid_t Nobody = 65534;
        if (::geteuid() == 0 && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)) ::_exit(3);
        try {
            Write(Target, "x");
        } catch (const EIOError& E) {
            ::_exit(std::string(E.what()) ==
                            "Unable to create file " + Target + ": Permission denied"
                        ? 0
                        : 2);
        }
        ::_exit(1);
    }
    int Status = 0;
    ::waitpid(Child, &Status, 0);
    ASSERT_TRUE(WIFEXITED(Status));
    EXPECT_EQ(WEXITSTATUS(Status), 0);
    EXPECT_FALSE(fs::exists(Target));
}
