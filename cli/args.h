// The command-line tool's argument handling: a usage error, the option list of one command, and
// the strict conversion of option values.
#pragma once

#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Arguments the tool cannot use: unknown option, missing value, malformed number. The tool
// answers with the usage and exit code 2.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments after the command name, taken apart option by option in the given order.
class TArgumentList {
public:
    explicit TArgumentList(std::vector<std::string> Arguments) : FArguments(std::move(Arguments)) {}

    bool AtEnd() const { return FNext >= FArguments.size(); }
    // The next argument; EUsageError when there is none.
    std::string Next();
    // The value of option Option, the next argument; EUsageError "Option needs a value" when
    // there is none.
    std::string ValueOf(const std::string& Option);
    // When Option is one of the named options, its value goes into that option's target, which
    // must not have one yet; false for any other option.
    bool
    TakeValue(const std::string& Option,
              std::initializer_list<std::pair<const char*, std::optional<std::string>*>> Targets);

private:
    std::vector<std::string> FArguments;
    std::size_t FNext = 0;
};

// Text as a number with "." as the decimal point; EUsageError naming What when it is not one.
double NumberArgument(const std::string& Text, const std::string& What);
// A value given twice where once is meant, e.g. two output files.
void SetOnce(std::optional<std::string>& Target, const std::string& Value,
             const std::string& Option);

// The output files of a command, each with the option that named it (none when not given).
using TOutputOptions = std::vector<std::pair<std::string, std::optional<std::string>>>;
// EUsageError when two outputs lead to one file, however they are spelt: checked before
// anything is written, as the second would overwrite the first.
void RefuseSameOutputs(const TOutputOptions& Outputs);
// Where a command's closing summary goes: Err when one of its outputs is the standard output
// (`-o /dev/stdout`), so that what is written there stays whole; Out otherwise.
std::ostream& SummaryStream(const TOutputOptions& Outputs, std::ostream& Out, std::ostream& Err);
