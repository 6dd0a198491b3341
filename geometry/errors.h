// The one exception hierarchy of Keelvane, and checked arithmetic that raises it.
// what() is always the text the user sees.
#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

class EKeelvaneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text that is not a number where one is needed ("Unable to convert text to number").
class EConvertError : public EKeelvaneError {
    using EKeelvaneError::EKeelvaneError;
};

// Division by zero, invalid operations and overflow: never let inf or NaN escape.
class EMathError : public EKeelvaneError {
    using EKeelvaneError::EKeelvaneError;
};

// An index outside a list.
class EListError : public EKeelvaneError {
    using EKeelvaneError::EKeelvaneError;
};

// A malformed or truncated text file, or a record field that does not convert.
class EReadError : public EKeelvaneError {
    using EKeelvaneError::EKeelvaneError;
};

// A file that cannot be opened, written or replaced.
class EIOError : public EKeelvaneError {
    using EKeelvaneError::EKeelvaneError;
};

// A geometric operation that has no answer ("Interpolation of TRPoints out of Range").
class EGeometryError : public EKeelvaneError {
    using EKeelvaneError::EKeelvaneError;
};

inline const char* const DivisionByZeroText = "Division by zero";
inline const char* const InvalidOperationText = "Invalid floating point operation";
inline const char* const OverflowText = "Floating point overflow";

// Passes a finite value through; NaN and inf become the matching arithmetic error.
inline double Finite(double v) {
    if (std::isnan(v)) throw EMathError(InvalidOperationText);
    if (std::isinf(v)) throw EMathError(OverflowText);
    return v;
}

// a / b, raising instead of producing inf or NaN.
inline double Divide(double a, double b) {
    if (b == 0.0) throw EMathError(a == 0.0 ? InvalidOperationText : DivisionByZeroText);
    // A NaN or infinite operand makes no quotient either: Finite names the fault.
    return Finite(a / b);
}
