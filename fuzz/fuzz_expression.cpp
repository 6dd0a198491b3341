// Fuzz target: the expression evaluator, with a hook that resolves names to numbers and
// evaluates nested expressions, as the grid's cell references do.
#include "grid/expression.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    const auto Hook = [&](const std::string& Name, double Argument) {
        if (Name.size() > 1 && Name[0] == 'X') return Evaluate(Name.substr(1)) + Argument;
        throw EExpressionFunctionNotFound(UnknownFunctionText + Name);
    };
    try {
        if (!std::isfinite(Evaluate(Text, Hook))) std::abort(); // never inf or NaN
    } catch (const EKeelvaneError&) {
    }
    return 0;
}
