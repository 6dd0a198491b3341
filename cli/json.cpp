// JSON text of the command-line tool's reports.
#include "cli/json.h"

#include <cstdio>

std::string JsonString(const std::string& S) {
    std::string R = "\"";
    for (const char c : S) {
        if (c == '"' || c == '\\') {
            R += '\\';
            R += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char Code[8];
            std::snprintf(Code, sizeof Code, "\\u%04x", static_cast<unsigned>(c));
            R += Code;
        } else {
            R += c;
        }
    }
    return R + "\"";
}
