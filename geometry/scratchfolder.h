// Test files: a fresh folder for the files of one test, removed when it goes. CTest runs tests in
// parallel, so the folder is named for the test, the process and a serial: no two folders share a
// path.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TScratchFolder {
public:
    TScratchFolder() {
        const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string Name = std::string("keelvane_") + Info->test_suite_name() + "_" + Info->name() +
                           "_" + std::to_string(::getpid()) + "_" + std::to_string(Serial++);
        std::replace(Name.begin(), Name.end(), '/', '_');
        FPath = std::filesystem::temp_directory_path() / Name;
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TScratchFolder() {
        std::error_code Ignored;
        std::filesystem::remove_all(FPath, Ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }

private:
    static inline int Serial = 0;
    std::filesystem::path FPath;
};

// The whole content of a file, byte for byte (line ends included).
inline std::string FileText(const std::filesystem::path& Name) {
    std::ifstream In(Name, std::ios::binary);
    std::ostringstream Text;
    Text << In.rdbuf();
    return Text.str();
}
