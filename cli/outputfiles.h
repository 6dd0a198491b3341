// The output files of one command, written under temporary names beside their targets and moved
// into place together, so that a command that fails leaves no output behind.
#pragma once

#include <string>
#include <utility>
#include <vector>

class TOutputFiles {
public:
    TOutputFiles() = default;
    TOutputFiles(const TOutputFiles&) = delete;
    TOutputFiles& operator=(const TOutputFiles&) = delete;
    // Removes the temporaries that were not moved into place.
    ~TOutputFiles();

    // The temporary name to write Target under.
    std::string Add(const std::string& Target);
    // Moves every temporary onto its target; raises EIOError "Unable to write " + target when
    // one cannot be moved.
    void Commit();

private:
    std::vector<std::pair<std::string, std::string>> Files; // temporary, target
};
