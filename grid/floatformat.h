// The number formats a grid cell can show, and the float-to-text formatting behind them.
// Always "." as decimal point and "," as thousands separator, whatever the locale.
#pragma once

#include <cstdint>
#include <string>

enum TFloatFormat : std::uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Significant digits used when Precision is outside 1..15 (a double carries no more).
inline constexpr int MaxFloatPrecision = 15;

// Value formatted as a cell shows it:
//   ffGeneral  - the shorter of fixed and scientific with at most Precision significant digits,
//                trailing zeros dropped: 2.5, 1E20, 1.5E-7;
//   ffExponent - d.dddE+dd with Precision significant digits, at least Digits (0..4) exponent
//                digits;
//   ffFixed    - Digits decimals; general notation when more than Precision integer digits;
//   ffNumber   - as ffFixed with thousands separators: 1,234.50;
//   ffCurrency - as ffNumber behind a dollar sign: $1,234.50, -$3.00.
std::string FormatFloat(double Value, TFloatFormat Format, int Precision, int Digits);
