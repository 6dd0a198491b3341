// One cell of the format grid: the setters that decide what typed text means, calculation of
// formulas, and the cell's stored record.
#include "grid/gridrec.h"

#include "geometry/records.h"
#include "geometry/textutil.h"
#include "grid/expression.h"
#include "grid/gridmodel.h"

#include <array>
#include <charconv>

void TGridRec::SetNumber(double Value) {
    if (FFormatType == ftText) return;
    FNumber = Finite(Value);
    if (FFormatType == ftVariable) FAlignment = taRightJustify;
    FText = FormattedNumber();
    Changed();
}

void TGridRec::SetFormatType(TFormatType Value) {
    FFormatType = Value;
    if (FFormatType != ftVariable) FFormula.clear();
}

void TGridRec::SetNumericFormat(TFloatFormat Value) {
    FNumericFormat = Value;
    Reformat();
}

void TGridRec::SetPrecision(int Value) {
    FPrecision = Value;
    Reformat();
}

void TGridRec::SetDigits(int Value) {
    FDigits = Value;
    Reformat();
}

void TGridRec::SetFont(const TCellFont& Value) {
    FFont = Value;
    Changed();
}

void TGridRec::SetCellColor(TColor Value) {
    FCellColor = Value;
    Changed();
}

void TGridRec::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Changed();
}

void TGridRec::SetText(const std::string& Value) {
    switch (FFormatType) {
    case ftText:
        FText = Value;
        break;
    case ftNumeric:
        SetNumericText(Value);
        break;
    case ftVariable:
        SetVariableText(Value);
        break;
    }
    Changed();
}

std::string TGridRec::EditText() const {
    return FFormula.empty() ? FText : "=" + FFormula;
}

void TGridRec::Place(int ACol, int ARow, TGridModel* AGrid) {
    FCol = ACol;
    FRow = ARow;
    FGrid = AGrid;
}

void TGridRec::Assign(const TGridRec& Source) {
    SetNumber(Source.FNumber);
    SetAlignment(Source.FAlignment);
    SetFormatType(Source.FFormatType);
    SetNumericFormat(Source.FNumericFormat);
    SetFont(Source.FFont);
    SetCellColor(Source.FCellColor);
    SetPrecision(Source.FPrecision);
    SetDigits(Source.FDigits);
    SetText(Source.FText);
}

void TGridRec::Calculate() {
    if (FCalculating) throw EGridCircularReference(CircularReferenceText);
    if (FFormula.empty()) return;
    TExpressionFunctionEvent Resolver;
    if (FGrid)
        Resolver = [Grid = FGrid](const std::string& Name, double) {
            return Grid->CellValue(Name);
        };
    FCalculating = true;
    double Value = 0.0;
    try {
        Value = Evaluate(FFormula, Resolver);
    } catch (...) {
        // The mark must not outlive a failed evaluation, or the next one would see a loop.
        FCalculating = false;
        throw;
    }
    FCalculating = false;
    FNumber = Value;
    FText = FormattedNumber();
}

void TGridRec::Changed() {
    if (OnChange) OnChange(*this, FCol, FRow);
}

std::string TGridRec::FormattedNumber() const {
    return FormatFloat(FNumber, FNumericFormat, FPrecision, FDigits);
}

void TGridRec::Reformat() {
    if (const auto Value = TextToNumber(FText))
        FText = FormatFloat(*Value, FNumericFormat, FPrecision, FDigits);
}

void TGridRec::SetNumericText(const std::string& Value) {
    std::string Typed = Value.empty() ? "0" : Value;
    if (Typed.back() == '.') Typed += '0';
    if (const auto Number = TextToNumber(Typed))
        SetNumber(*Number);
    else
        NotANumber(Value);
}

void TGridRec::SetVariableText(const std::string& Value) {
    if (const auto Number = TextToNumber(Value)) {
        FFormula.clear();
        FNumber = *Number;
        FAlignment = taRightJustify;
        FText = FormattedNumber();
        NeedsRecalc();
    } else if (Value.starts_with('=')) {
        // Text keeps showing the old contents until the next calculation.
        FFormula = Value.substr(1);
        FAlignment = taRightJustify;
        NeedsRecalc();
    } else {
        FText = Value;
        FAlignment = taLeftJustify;
        FFormula.clear();
    }
}

void TGridRec::NeedsRecalc() {
    if (FGrid) FGrid->SetNeedsRecalc();
}

void TGridRec::NotANumber(const std::string& Value) {
    const std::string Message = "Unable to convert " + Value + " to a number";
    if (!FGrid) throw EConvertError(Message);
    FGrid->ReportNotANumber(Message);
}

// The stored record.

namespace {

// Record lines end at a line break, so breaks and backslashes inside texts are escaped.
std::string Escaped(std::string_view Text) {
    std::string Result;
    for (const char c : Text) {
        if (c == '\\')
            Result += "\\\\";
        else if (c == '\n')
            Result += "\\n";
        else if (c == '\r')
            Result += "\\r";
        else
            Result += c;
    }
    return Result;
}

std::string Unescaped(std::string_view Text) {
    std::string Result;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '\\' || i + 1 == Text.size()) {
            Result += Text[i];
            continue;
        }
        const char Next = Text[++i];
        Result += Next == 'n' ? '\n' : (Next == 'r' ? '\r' : Next);
    }
    return Result;
}

// The shortest text that reads back as the same double.
std::string RoundTripText(double Value) {
    std::array<char, 32> Buffer;
    const auto Result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), Value);
    return std::string(Buffer.data(), Result.ptr);
}

// Colours are stored as signed 32-bit integers, the system colours being negative.
long long ColorInteger(TColor Color) {
    return static_cast<std::int32_t>(Color);
}

// The next line, which must hold Field ("Cell.Key=value").
std::string ReadField(TTextReader& Reader, std::string_view Field) {
    const std::string Line = Reader.ReadLine();
    if (!Line.starts_with(std::string(Field) + '='))
        throw EReadError("Error in field " + std::string(Field));
    return Line;
}

long long ReadInteger(TTextReader& Reader, std::string_view Field) {
    return FieldInteger(ReadField(Reader, Field), Field);
}

std::string ReadString(TTextReader& Reader, std::string_view Field) {
    const std::string Line = ReadField(Reader, Field);
    return Unescaped(std::string_view(Line).substr(Field.size() + 1));
}

// A stored enumeration value; one outside 0 .. Last reads as 0, the default.
template <typename T> T StoredEnum(long long Value, T Last) {
    return Value >= 0 && Value <= Last ? static_cast<T>(Value) : T{};
}

} // namespace

void TGridRec::WriteRecord(TTextWriter& Writer) const {
    Writer.Key("Cell.Alignment", FAlignment);
    Writer.Key("Cell.CellColor", ColorInteger(FCellColor));
    Writer.Key("Cell.Precision", FPrecision);
    Writer.Key("Cell.Digits", FDigits);
    Writer.Key("Cell.FontColor", ColorInteger(FFont.Color));
    Writer.Key("Cell.FontName", Escaped(FFont.Name));
    Writer.Key("Cell.FontSize", FFont.Size);
    Writer.Key("Cell.FontStyle", FFont.Style);
    Writer.Key("Cell.FormatType", FFormatType);
    Writer.Key("Cell.NumericFormat", FNumericFormat);
    Writer.Key("Cell.Number", RoundTripText(FNumber));
    Writer.Key("Cell.Text", Escaped(EditText()));
}

void TGridRec::ReadRecord(TTextReader& Reader) {
    FAlignment = StoredEnum(ReadInteger(Reader, "Cell.Alignment"), taCenter);
    FCellColor = static_cast<TColor>(ReadInteger(Reader, "Cell.CellColor"));
    FPrecision = static_cast<int>(ReadInteger(Reader, "Cell.Precision"));
    FDigits = static_cast<int>(ReadInteger(Reader, "Cell.Digits"));
    FFont.Color = static_cast<TColor>(ReadInteger(Reader, "Cell.FontColor"));
    FFont.Name = ReadString(Reader, "Cell.FontName");
    FFont.Size = static_cast<int>(ReadInteger(Reader, "Cell.FontSize"));
    FFont.Style = static_cast<int>(ReadInteger(Reader, "Cell.FontStyle"));
    FFormatType = StoredEnum(ReadInteger(Reader, "Cell.FormatType"), ftNumeric);
    FNumericFormat = StoredEnum(ReadInteger(Reader, "Cell.NumericFormat"), ffCurrency);
    FNumber = Finite(FieldNumber(ReadField(Reader, "Cell.Number"), "Cell.Number"));
    const std::string Stored = ReadString(Reader, "Cell.Text");
    // A numeric cell shows its number; a variable cell gets its formula back, showing the
    // stored result until the next calculation; anything else is display text.
    FFormula.clear();
    if (FFormatType == ftVariable && Stored.starts_with('=')) FFormula = Stored.substr(1);
    if (FFormatType == ftNumeric || !FFormula.empty())
        FText = FormattedNumber();
    else
        FText = Stored;
    Changed();
}
