// The command-line tool's argument handling.
#include "cli/args.h"

#include "geometry/safefile.h"
#include "geometry/textutil.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>

std::string TArgumentList::Next() {
    if (AtEnd()) throw EUsageError("Missing argument");
    return FArguments[FNext++];
}

std::string TArgumentList::ValueOf(const std::string& Option) {
    if (AtEnd()) throw EUsageError(Option + " needs a value");
    return Next();
}

double NumberArgument(const std::string& Text, const std::string& What) {
    const auto Value = TextToNumber(Text);
    if (Value) return *Value;
    const std::string Number = Trim(Text);
    double Ignored = 0;
    const auto [End, Error] =
        std::from_chars(Number.data(), Number.data() + Number.size(), Ignored);
    if (Error == std::errc::result_out_of_range && End == Number.data() + Number.size())
        throw EUsageError(What + ": '" + Text + "' is out of range");
    throw EUsageError(What + ": '" + Text + "' is not a number");
}

bool TArgumentList::TakeValue(
    const std::string& Option,
    std::initializer_list<std::pair<const char*, std::optional<std::string>*>> Targets) {
    for (const auto& [Name, Target] : Targets)
        if (Option == Name) {
            SetOnce(*Target, ValueOf(Option), Option);
            return true;
        }
    return false;
}

void SetOnce(std::optional<std::string>& Target, const std::string& Value,
             const std::string& Option) {
    if (Target) throw EUsageError(Option + " given twice");
    Target = Value;
}

void RefuseSameOutputs(const TOutputOptions& Outputs) {
    for (std::size_t i = 0; i < Outputs.size(); ++i)
        for (std::size_t j = i + 1; j < Outputs.size(); ++j) {
            const auto& [OptionA, A] = Outputs[i];
            const auto& [OptionB, B] = Outputs[j];
            if (A && B && SameFile(*A, *B))
                throw EUsageError(OptionA + " and " + OptionB + " name the same file " + *B);
        }
}

namespace {

// Name leads to the very file, pipe or terminal the standard output writes to.
bool IsStandardOutput(const std::string& Name) {
    struct stat File {
    }, Standard{};
    return ::stat(Name.c_str(), &File) == 0 && ::fstat(STDOUT_FILENO, &Standard) == 0 &&
           File.st_dev == Standard.st_dev && File.st_ino == Standard.st_ino;
}

} // namespace

std::ostream& SummaryStream(const TOutputOptions& Outputs, std::ostream& Out, std::ostream& Err) {
    for (const auto& [Option, Name] : Outputs)
        if (Name && IsStandardOutput(*Name)) return Err;
    return Out;
}
