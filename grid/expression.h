// The expression evaluator: arithmetic and logical expressions over doubles, a fixed table of
// one-argument functions, and a hook through which the caller resolves any other name.
#pragma once

#include "geometry/errors.h"

#include <functional>
#include <string>
#include <string_view>

// An empty expression, or an operator after another that is neither "-" nor "NOT".
class EExpressionError : public EKeelvaneError {
public:
    using EKeelvaneError::EKeelvaneError;
};

// A name that is neither a number, nor a table function, nor resolved by the hook.
class EExpressionFunctionNotFound : public EKeelvaneError {
public:
    using EKeelvaneError::EKeelvaneError;
};

inline const char* const NoExpressionText = "No expression to evaluate";
inline const char* const SecondOperatorText = "Error don't know how to handle second operator ";
inline const char* const UnknownFunctionText = "Unknown function - ";
inline const char* const NestedTooDeeplyText = "Expression nested too deeply";
// Put before the operand and a blank when the last operand of a text is a number too large for
// a double (the arithmetic error's own message follows).
inline const char* const NumberErrorPrefix =
    "Get the programmer, Error in maths.parser.getargument. Sums=";

// Resolves a name that is not in the function table: (upper-case Name, Argument) -> value, the
// argument being 0 when the name has none. It may raise EExpressionFunctionNotFound, and may
// itself call Evaluate.
using TExpressionFunctionEvent = std::function<double(const std::string& Name, double Argument)>;

// Parentheses and evaluations started from inside a hook (a chain of cells that refer to each
// other), nested deeper than this in all, raise EExpressionError NestedTooDeeplyText instead of
// exhausting the stack.
inline constexpr int MaxExpressionNesting = 1000;

// The value of Expression (case and blanks do not matter). Comparison and logical operators
// bind more tightly than arithmetic ones, all operators associate to the left ("^" included),
// and a parenthesised group becomes one number before reading goes on. Raises EExpressionError,
// EExpressionFunctionNotFound, or EMathError for an arithmetic fault; never returns inf or NaN.
double Evaluate(std::string_view Expression, const TExpressionFunctionEvent& OnFunction = {});
