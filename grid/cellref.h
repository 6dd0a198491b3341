// Spreadsheet-style cell names: column letters (A..Z, AA..ZZ) followed by a row number.
#pragma once

#include <string>
#include <string_view>

struct TCellRef {
    int Col = 0;
    int Row = 0;
};

// The heading of column Col >= 1: 1 = A, 26 = Z, 27 = AA, 52 = AZ, 53 = BA.
std::string ColumnLabel(int Col);

// The cell an upper-case name such as B3 or AZ12 refers to: one or two letters, then a whole
// row number. Any other name raises EExpressionFunctionNotFound "Unknown function - " + Name.
TCellRef ParseCellReference(std::string_view Name);
