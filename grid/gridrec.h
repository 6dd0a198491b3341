// One cell of the format grid: its contents (text, number or formula) and its look.
#pragma once

#include "geometry/color.h"
#include "geometry/errors.h"
#include "grid/floatformat.h"

#include <cstdint>
#include <functional>
#include <string>

class TGridModel;
class TTextReader;
class TTextWriter;

// A formula that refers, directly or through other cells, back to itself.
class EGridCircularReference : public EKeelvaneError {
public:
    using EKeelvaneError::EKeelvaneError;
};

inline const char* const CircularReferenceText = "Unable to handle circular references";

// ftVariable: text, number or formula, decided by what is typed; ftText: always text;
// ftNumeric: numbers only.
enum TFormatType : std::uint8_t { ftVariable, ftText, ftNumeric };
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// System colours, resolved by the widget: the window background and the window text.
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;

// Font style bits, added together.
enum TFontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A cell's font as plain values; the widget maps it to a toolkit font. An empty Name and a Size
// of 0 stand for the widget's default family and size.
struct TCellFont {
    std::string Name;
    int Size = 0;
    TColor Color = clWindowText;
    int Style = 0;
    bool operator==(const TCellFont&) const = default;
};

class TGridRec {
public:
    using TGridRecChangeEvent = std::function<void(TGridRec& Sender, int ACol, int ARow)>;

    TGridRec() = default;
    TGridRec(const TGridRec&) = delete;
    TGridRec& operator=(const TGridRec&) = delete;

    // Fired when the cell's look or contents change.
    TGridRecChangeEvent OnChange;

    double Number() const { return FNumber; }
    // Ignored for ftText; otherwise Text shows the formatted number. Formula is kept.
    void SetNumber(double Value);
    TFormatType FormatType() const { return FFormatType; }
    // Only a variable cell holds a formula: any other type drops it, or a heading or a numeric
    // cell would show a stale formula's result after the next calculation.
    void SetFormatType(TFormatType Value);
    TFloatFormat NumericFormat() const { return FNumericFormat; }
    int Precision() const { return FPrecision; }
    int Digits() const { return FDigits; }
    // These three re-format Text when it reads as a number; no OnChange.
    void SetNumericFormat(TFloatFormat Value);
    void SetPrecision(int Value);
    void SetDigits(int Value);
    const TCellFont& Font() const { return FFont; }
    void SetFont(const TCellFont& Value);
    TColor CellColor() const { return FCellColor; }
    void SetCellColor(TColor Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The displayed text.
    const std::string& Text() const { return FText; }
    // What typing Value into the cell does, by FormatType: ftText stores it; ftNumeric takes
    // it as a number ("" as 0) or reports "Unable to convert ... to a number" and keeps the
    // cell; ftVariable makes the cell a number, a formula ("=..."), or text.
    void SetText(const std::string& Value);
    // The expression of a formula cell, without the leading "=".
    const std::string& Formula() const { return FFormula; }
    // What the in-place editor starts from: "=" and the formula, else Text.
    std::string EditText() const;

    int Col() const { return FCol; }
    int Row() const { return FRow; }
    TGridModel* Grid() const { return FGrid; }
    void Place(int ACol, int ARow, TGridModel* AGrid);
    bool Calculating() const { return FCalculating; }

    // Copies Source's look and, through SetText, its displayed text (not its formula).
    void Assign(const TGridRec& Source);
    // Evaluates the formula, cell names resolved by the grid, into Number and Text. Raises
    // EGridCircularReference when the cell is already being calculated; on any error the cell
    // keeps its last Number and Text.
    void Calculate();

    // The stored record of the cell, one key=value line per field.
    void WriteRecord(TTextWriter& Writer) const;
    // Reads a record written by WriteRecord; a missing or malformed field raises EReadError.
    void ReadRecord(TTextReader& Reader);

private:
    void Changed();
    std::string FormattedNumber() const;
    void Reformat();
    void SetNumericText(const std::string& Value);
    void SetVariableText(const std::string& Value);
    void NeedsRecalc();
    void NotANumber(const std::string& Value);

    double FNumber = 0.0;
    TFormatType FFormatType = ftVariable;
    TFloatFormat FNumericFormat = ffGeneral;
    TCellFont FFont;
    TColor FCellColor = 0;
    int FPrecision = 0;
    int FDigits = 0;
    TAlignment FAlignment = taLeftJustify;
    std::string FText;
    std::string FFormula;
    int FCol = 0;
    int FRow = 0;
    TGridModel* FGrid = nullptr;
    bool FCalculating = false;
};
