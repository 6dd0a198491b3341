// The fixture of the command tests that read a project: a scratch folder, a saved project of the
// default hull, and a command run through the tool's entry point with its output kept.
#pragma once

#include "cli/commands.h"
#include "hull/keelvane.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

class TCommandTest : public ::testing::Test {
protected:
    TScratchFolder Scratch;
    const std::filesystem::path& Folder = Scratch.Path();
    std::string Out, Err;

    std::string Path(const std::string& Name) const { return Scratch.File(Name); }

    // A project of the default hull, generated or not.
    std::string Project(bool Generated) const {
        TKeelvane Hull;
        if (Generated) Hull.Generate();
        Hull.SaveToFile(Path("hull.kvp"));
        return Path("hull.kvp");
    }

    int Run(const std::string& Command, TArguments Arguments) {
        Arguments.insert(Arguments.begin(), Command);
        std::ostringstream OutStream, ErrStream;
        const int Code = RunCli(Arguments, OutStream, ErrStream);
        Out = OutStream.str();
        Err = ErrStream.str();
        return Code;
    }

    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(Folder), {}));
    }
};
