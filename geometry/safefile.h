// Writing a file so that a failure never damages what was there: a regular file (or a missing
// one) is written under a unique temporary name beside it and renamed over it once whole; a
// device, FIFO or terminal is written in place. A group of files goes into place together.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class TDescriptorBuffer;

class TSafeFile {
public:
    // Opens the output for FileName: a symbolic link is followed to the file it names, a regular
    // or missing file gets a temporary beside it that keeps the old file's permission bits, and
    // anything else is opened itself. Raises EIOError "Unable to create file <name>: <reason>".
    explicit TSafeFile(const std::string& FileName);
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;
    // Removes a temporary that was not put into place.
    ~TSafeFile();

    // The name the caller gave, used in every message.
    const std::string& FileName() const { return FFileName; }
    std::ostream& Stream() { return *FStream; }

    // Writes out what the stream holds and makes it durable; raises EIOError "Unable to write
    // file <name>: <reason>" when any write failed. Called once; Commit calls it when needed.
    void Finish();
    // Finish, then the temporary replaces the target (nothing to move for an output written in
    // place). A file that belongs to a TSafeFileGroup waits for the group's Commit.
    void Commit();

private:
    friend class TSafeFileGroup;

    std::string FFileName;  // as given
    std::string FTarget;    // the file finally written: FFileName with its links followed
    std::string FTemporary; // empty when written in place
    std::unique_ptr<TDescriptorBuffer> FBuffer; // owns the descriptor
    std::unique_ptr<std::ostream> FStream;
    bool FFinished = false;
    bool FDeferred = false; // moved into place by its group

    void MoveIntoPlace();
};

// Several outputs of one command: each is written through its own TSafeFile, and Commit puts
// all of them into place only after every one was written whole, so that a command that fails
// leaves none of them behind.
class TSafeFileGroup {
public:
    // A new member writing FileName; its own Commit only finishes it.
    TSafeFile& Add(const std::string& FileName);
    // Finishes every member, then moves each into place.
    void Commit();

private:
    std::vector<std::unique_ptr<TSafeFile>> FFiles;
};

// Whether two names lead to the same file: following links and "..", or as hard links of one
// file. Names of files that do not exist yet compare by their resolved paths.
bool SameFile(const std::string& A, const std::string& B);
