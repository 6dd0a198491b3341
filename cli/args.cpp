// The command-line tool's argument handling.
#include "cli/args.h"

#include "geometry/textutil.h"

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
    if (!Value) throw EUsageError(What + ": '" + Text + "' is not a number");
    return *Value;
}

void SetOnce(std::optional<std::string>& Target, const std::string& Value,
             const std::string& Option) {
    if (Target) throw EUsageError(Option + " given twice");
    Target = Value;
}
