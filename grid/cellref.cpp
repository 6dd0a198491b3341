// Column headings and the reading of cell names for formulas.
#include "grid/cellref.h"

#include "geometry/textutil.h"
#include "grid/expression.h"

namespace {

constexpr int Letters = 26;

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

int LetterPosition(char c) {
    return c - 'A' + 1;
}

} // namespace

std::string ColumnLabel(int Col) {
    std::string Label;
    for (; Col > 0; Col = (Col - 1) / Letters)
        Label.insert(Label.begin(), static_cast<char>('A' + (Col - 1) % Letters));
    return Label;
}

TCellRef ParseCellReference(std::string_view Name) {
    const std::size_t Digit = Name.find_first_of("0123456789");
    const std::string_view Column = Name.substr(0, Digit);
    const std::string_view RowText = Digit == std::string_view::npos ? "" : Name.substr(Digit);
    const bool LettersOnly = !Column.empty() && IsLetter(Column.front()) && IsLetter(Column.back());
    const bool WholeRow = RowText.find_first_not_of("0123456789") == std::string_view::npos;
    const auto Row = TextToInteger(RowText);
    if (Column.size() > 2 || !LettersOnly || !WholeRow || !Row)
        throw EExpressionFunctionNotFound(UnknownFunctionText + std::string(Name));
    int Col = 0;
    for (const char c : Column) Col = Col * Letters + LetterPosition(c);
    return {Col, *Row};
}
