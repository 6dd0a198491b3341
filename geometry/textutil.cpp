// Text utilities: strict locale-free conversions, words, tabs and the program's base name.
#include "geometry/textutil.h"

#include "geometry/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The words of S: maximal runs of characters other than the space.
template <typename Visit> void ForEachWord(std::string_view S, Visit&& Visitor) {
    std::size_t i = 0;
    while (i < S.size()) {
        if (S[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t End = std::min(S.find(' ', i), S.size());
        Visitor(S.substr(i, End - i));
        i = End;
    }
}

} // namespace

std::string Trim(std::string_view S) {
    const auto First = std::find_if_not(S.begin(), S.end(), IsBlank);
    const auto Last = std::find_if_not(S.rbegin(), S.rend(), IsBlank).base();
    return First < Last ? std::string(First, Last) : std::string();
}

std::optional<double> TextToNumber(std::string_view S) {
    const std::string T = Trim(S);
    std::string_view V = T;
    // from_chars takes no "+" and would take "inf" and "nan": only a sign, then a digit or a point.
    const bool Plus = !V.empty() && V.front() == '+';
    if (Plus) V.remove_prefix(1);
    const std::string_view Body = !Plus && !V.empty() && V.front() == '-' ? V.substr(1) : V;
    if (Body.empty() || !(IsDigit(Body.front()) || Body.front() == '.')) return std::nullopt;
    double Value = 0.0;
    const auto [End, Error] = std::from_chars(V.data(), V.data() + V.size(), Value);
    if (Error != std::errc() || End != V.data() + V.size() || !std::isfinite(Value))
        return std::nullopt;
    return Value;
}

std::optional<int32_t> TextToInteger(std::string_view S) {
    if (!S.empty() && S.front() == '+') {
        S.remove_prefix(1);
        if (S.empty() || !IsDigit(S.front())) return std::nullopt;
    }
    int32_t Value = 0;
    const auto [End, Error] = std::from_chars(S.data(), S.data() + S.size(), Value);
    if (Error != std::errc() || End != S.data() + S.size()) return std::nullopt;
    return Value;
}

double StrToNumber(std::string_view S) {
    const auto Value = TextToNumber(S);
    if (!Value) throw EConvertError(StringConvertErrorText);
    return *Value;
}

std::string ExpandTabs(std::string_view S) {
    std::string Result;
    Result.reserve(S.size());
    for (const char c : S) {
        if (c == '\t')
            Result += "    ";
        else
            Result += c;
    }
    return Result;
}

int WordCount(std::string_view S) {
    int Count = 0;
    ForEachWord(ExpandTabs(S), [&](std::string_view) { ++Count; });
    return Count;
}

std::string ExtractWord(std::string_view S, int N) {
    constexpr std::size_t MaxWordLength = 255;
    std::string Word;
    int Index = 0;
    ForEachWord(ExpandTabs(Trim(S)), [&](std::string_view W) {
        if (++Index == N) Word = W.substr(0, MaxWordLength);
    });
    return Word;
}

std::string BaseNameOf(std::string_view ExecutablePath) {
    const std::size_t Slash = ExecutablePath.find_last_of('/');
    const std::string_view Name =
        Slash == std::string_view::npos ? ExecutablePath : ExecutablePath.substr(Slash + 1);
    // Executables here usually carry no extension: then the whole name is the base name.
    std::string Base(Name.substr(0, Name.find('.')));
    std::transform(Base.begin(), Base.end(), Base.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return Base;
}

namespace {

std::string& StoredProgramBaseName() {
    static std::string Name;
    return Name;
}

} // namespace

const std::string& ProgramBaseName() {
    return StoredProgramBaseName();
}

void SetProgramBaseName(std::string_view ExecutablePath) {
    StoredProgramBaseName() = BaseNameOf(ExecutablePath);
}
