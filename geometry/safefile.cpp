// Safe file writing: unique temporaries renamed over regular files, other outputs written in
// place, links followed, permission bits kept; and groups of outputs that go into place together.
#include "geometry/safefile.h"

#include "geometry/errors.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

// A stream buffer writing to a file descriptor it owns, which keeps the system's reason for the
// first write that failed (a stream only knows that something did).
class TDescriptorBuffer : public std::streambuf {
public:
    explicit TDescriptorBuffer(int Descriptor) : FDescriptor(Descriptor) {
        setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
    }
    TDescriptorBuffer(const TDescriptorBuffer&) = delete;
    TDescriptorBuffer& operator=(const TDescriptorBuffer&) = delete;
    ~TDescriptorBuffer() override {
        if (FDescriptor >= 0) ::close(FDescriptor);
    }

    int Descriptor() const { return FDescriptor; }
    // The errno of the first failure; 0 while every write went through.
    int Error() const { return FError; }
    // Writes what waits and closes the descriptor; false (with Error set) on any failure.
    bool Close() {
        const bool Written = sync() == 0;
        const int Descriptor = FDescriptor;
        FDescriptor = -1;
        if (::close(Descriptor) != 0 && FError == 0) FError = errno;
        return Written && FError == 0;
    }

protected:
    int overflow(int c) override {
        if (sync() != 0) return traits_type::eof();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }

    int sync() override {
        for (const char* p = pbase(); p < pptr();) {
            const ssize_t n = ::write(FDescriptor, p, static_cast<std::size_t>(pptr() - p));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (FError == 0) FError = n < 0 ? errno : EIO;
                return -1;
            }
            p += n;
        }
        setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
        return 0;
    }

private:
    int FDescriptor;
    int FError = 0;
    std::array<char, 1 << 16> FBuffer;
};

namespace {

[[noreturn]] void Fail(const std::string& What, const std::string& FileName, int Error) {
    throw EIOError(What + " " + FileName + ": " + std::strerror(Error != 0 ? Error : EIO));
}

// Where a name finally leads: each symbolic link replaced by what it names (relative links
// against their folder), so that a dangling link still names the file to create. ThroughProc is
// set when a step passes through /proc, whose links name open files rather than paths.
fs::path FollowLinks(const std::string& FileName, bool& ThroughProc) {
    constexpr int MaxLinks = 40; // the system's own limit on a chain of links
    fs::path P = FileName;
    ThroughProc = false;
    for (int n = 0;; ++n) {
        std::error_code Error;
        if (!fs::is_symlink(fs::symlink_status(P, Error))) return P;
        if (n == MaxLinks) Fail("Unable to create file", FileName, ELOOP);
        const fs::path Link = fs::read_symlink(P, Error);
        if (Error) Fail("Unable to create file", FileName, Error.value());
        P = Link.is_absolute() ? Link : P.parent_path() / Link;
        ThroughProc = ThroughProc || P.string().starts_with("/proc/");
    }
}

// The permission bits a new file gets from the process's umask.
mode_t NewFileMode() {
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    return 0666 & ~Mask;
}

// A unique temporary beside Target, created with Target's permission bits (and owner, where
// the system lets us); returns its descriptor and sets Name.
int CreateTemporary(const fs::path& Target, const std::string& FileName, std::string& Name) {
    // Short enough that the suffix never makes a name the file system refuses.
    const std::string Base = Target.filename().string().substr(0, 200);
    Name = (Target.parent_path() / ("." + Base + ".XXXXXX")).string();
    const int Descriptor = ::mkostemp(Name.data(), O_CLOEXEC);
    if (Descriptor < 0) Fail("Unable to create file", FileName, errno);
    struct stat Old {};
    if (::stat(Target.c_str(), &Old) == 0) {
        ::fchmod(Descriptor, Old.st_mode & 07777);
        // Only root may give a file away; anyone else keeps the new file as their own.
        if (::fchown(Descriptor, Old.st_uid, Old.st_gid) != 0) errno = 0;
    } else {
        ::fchmod(Descriptor, NewFileMode());
    }
    return Descriptor;
}

} // namespace

TSafeFile::TSafeFile(const std::string& FileName) : FFileName(FileName) {
    bool ThroughProc = false;
    const fs::path Target = FollowLinks(FileName, ThroughProc);
    struct stat Info {};
    const bool Exists = ::stat(FileName.c_str(), &Info) == 0;
    if (Exists && S_ISDIR(Info.st_mode)) Fail("Unable to create file", FileName, EISDIR);
    int Descriptor = -1;
    if (Exists && (!S_ISREG(Info.st_mode) || ThroughProc)) {
        // A device, FIFO or an open file of this process is written as it is; appending keeps
        // what a redirection (">>") already put there.
        FTarget = FileName;
        Descriptor = ::open(FileName.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (Descriptor < 0) Fail("Unable to create file", FileName, errno);
    } else {
        FTarget = Target.string();
        Descriptor = CreateTemporary(Target, FileName, FTemporary);
    }
    FBuffer = std::make_unique<TDescriptorBuffer>(Descriptor);
    FStream = std::make_unique<std::ostream>(FBuffer.get());
}

TSafeFile::~TSafeFile() {
    if (!FTemporary.empty()) ::unlink(FTemporary.c_str());
}

void TSafeFile::Finish() {
    if (FFinished) return;
    FFinished = true;
    FStream->flush();
    // Durable before it replaces the old file: a crash then leaves the old or the new one.
    if (!FTemporary.empty() && FBuffer->Error() == 0 && ::fsync(FBuffer->Descriptor()) != 0)
        Fail("Unable to write file", FFileName, errno);
    if (!FBuffer->Close() || !*FStream) Fail("Unable to write file", FFileName, FBuffer->Error());
}

void TSafeFile::Commit() {
    Finish();
    if (!FDeferred) MoveIntoPlace();
}

void TSafeFile::MoveIntoPlace() {
    if (FTemporary.empty()) return;
    if (::rename(FTemporary.c_str(), FTarget.c_str()) != 0)
        Fail("Unable to replace file", FFileName, errno);
    FTemporary.clear();
}

TSafeFile& TSafeFileGroup::Add(const std::string& FileName) {
    FFiles.push_back(std::make_unique<TSafeFile>(FileName));
    FFiles.back()->FDeferred = true;
    return *FFiles.back();
}

void TSafeFileGroup::Commit() {
    for (const auto& File : FFiles) File->Finish();
    for (const auto& File : FFiles) File->MoveIntoPlace();
    FFiles.clear();
}

bool SameFile(const std::string& A, const std::string& B) {
    bool Ignored = false;
    const fs::path PA = FollowLinks(A, Ignored), PB = FollowLinks(B, Ignored);
    std::error_code Error;
    if (fs::exists(PA, Error) && fs::exists(PB, Error)) return fs::equivalent(PA, PB, Error);
    return fs::weakly_canonical(fs::absolute(PA), Error) ==
           fs::weakly_canonical(fs::absolute(PB), Error);
}
