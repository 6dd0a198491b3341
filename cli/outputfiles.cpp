// Output files moved into place only when the whole command succeeded.
#include "cli/outputfiles.h"

#include "geometry/errors.h"

#include <filesystem>
#include <system_error>

TOutputFiles::~TOutputFiles() {
    std::error_code Ignored;
    for (const auto& [Temporary, Target] : Files) std::filesystem::remove(Temporary, Ignored);
}

std::string TOutputFiles::Add(const std::string& Target) {
    Files.emplace_back(Target + ".tmp", Target);
    return Files.back().first;
}

void TOutputFiles::Commit() {
    for (const auto& [Temporary, Target] : Files) {
        std::error_code Error;
        std::filesystem::rename(Temporary, Target, Error);
        if (Error) throw EIOError("Unable to write " + Target);
    }
    Files.clear();
}
