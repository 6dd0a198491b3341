// Test support: a DXF document read back by ezdxf through dxfcheck.py, as a map from what the
// script counts (e.g. "model STATIONS POLYLINE points") to its value.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

// Writes Document to FileName and reads it back.
inline std::map<std::string, std::string> ReadBackDxf(const std::string& FileName,
                                                      const std::string& Document) {
    std::ofstream(FileName, std::ios::binary) << Document;
    const std::string Command =
        std::string(KEELVANE_PYTHON) + " " + KEELVANE_DXF_CHECK + " '" + FileName + "' 2>&1";
    std::map<std::string, std::string> Result;
    FILE* Pipe = popen(Command.c_str(), "r");
    if (!Pipe) return Result;
    char Line[512];
    while (std::fgets(Line, sizeof Line, Pipe)) {
        std::string L(Line);
        if (!L.empty() && L.back() == '\n') L.pop_back();
        const auto Space = L.rfind(' ');
        Result[L.substr(0, Space)] = Space == std::string::npos ? "" : L.substr(Space + 1);
    }
    EXPECT_EQ(pclose(Pipe), 0);
    return Result;
}
