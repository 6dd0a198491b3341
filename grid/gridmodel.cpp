// The cell model of the format grid: cells, headings, recalculation, editing commands and the
// stored cells.
#include "grid/gridmodel.h"

#include "geometry/records.h"
#include "grid/cellref.h"

#include <algorithm>

TGridModel::TGridModel() : FCells(FInitialFormat, *this) {
    FInitialFormat.SetCellColor(clWindow);
}

void TGridModel::SetColCount(int Value) {
    FColCount = std::max(Value, 0);
    if (FHeaders) LabelHeaders();
}

void TGridModel::SetRowCount(int Value) {
    FRowCount = std::max(Value, 1);
    if (FHeaders) LabelHeaders();
}

void TGridModel::SetHeaders(bool Value) {
    // Only turning the headings off resets row 0 and column 0; they may hold the user's cells.
    if (Value == FHeaders) return;
    FHeaders = Value;
    if (FHeaders)
        LabelHeaders();
    else
        ClearHeaders();
}

TGridRec& TGridModel::Cell(int ACol, int ARow) {
    TGridRec& Found = FCells.Cell(ACol, ARow);
    Found.OnChange = [this](TGridRec&, int Col, int Row) {
        if (OnCellChanged) OnCellChanged(Col, Row);
    };
    return Found;
}

void TGridModel::Recalculate() {
    if (OnBusy) OnBusy(true);
    FNeedsRecalc = false;
    try {
        ForEachCell([](TGridRec& Each) { Each.Calculate(); });
    } catch (...) {
        // Each cell clears its own calculating mark as the error passes through it.
        if (OnBusy) OnBusy(false);
        throw;
    }
    if (OnBusy) OnBusy(false);
    if (OnCalculate) OnCalculate();
}

double TGridModel::CellValue(const std::string& Name) {
    const TCellRef Ref = ParseCellReference(Name);
    TGridRec& Referred = Cell(Ref.Col, Ref.Row);
    Referred.Calculate();
    return Referred.Number();
}

void TGridModel::ReportNotANumber(const std::string& Message) {
    if (!OnNotANumber) throw EConvertError(Message);
    OnNotANumber(Message);
}

void TGridModel::EditDone(int ACol, int ARow, const std::string& Text) {
    TGridRec& Edited = Cell(ACol, ARow);
    if (Text != Edited.Text()) Edited.SetText(Text);
}

void TGridModel::EnterPressed(int ACol, int ARow) {
    if (FNeedsRecalc && FAutoCalculate) Recalculate();
    if (OnFinishEditing) OnFinishEditing(ACol, ARow);
}

std::string TGridModel::CopyCell(int ACol, int ARow) {
    std::string Text = Cell(ACol, ARow).Text();
    CommandDone(ACol, ARow);
    return Text;
}

std::string TGridModel::CutCell(int ACol, int ARow) {
    std::string Text = Cell(ACol, ARow).Text();
    Cell(ACol, ARow).SetText("");
    CommandDone(ACol, ARow);
    return Text;
}

void TGridModel::PasteCell(int ACol, int ARow, const std::string& Clipboard) {
    Cell(ACol, ARow).SetText(Clipboard.substr(0, MaxPasteLength));
    CommandDone(ACol, ARow);
}

void TGridModel::DeleteCell(int ACol, int ARow) {
    Cell(ACol, ARow).SetText("");
    CommandDone(ACol, ARow);
}

void TGridModel::CellLeft(int ACol, int ARow) {
    CommandDone(ACol, ARow);
}

void TGridModel::SaveCells(std::ostream& Stream) {
    TTextWriter Writer(Stream);
    ForEachCell([&](TGridRec& Each) { Each.WriteRecord(Writer); });
}

void TGridModel::LoadCells(std::istream& Stream) {
    TTextReader Reader(Stream);
    ForEachCell([&](TGridRec& Each) { Each.ReadRecord(Reader); });
}

namespace {

void MakeHeading(TGridRec& Heading, const std::string& Label) {
    Heading.SetFormatType(ftText);
    TCellFont Bold = Heading.Font();
    Bold.Style |= fsBold;
    Heading.SetFont(Bold);
    Heading.SetAlignment(taCenter);
    Heading.SetText(Label);
}

} // namespace

void TGridModel::ForEachCell(const std::function<void(TGridRec&)>& Do) {
    for (int Col = 0; Col < FColCount; ++Col)
        for (int Row = 0; Row < FRowCount; ++Row) Do(Cell(Col, Row));
}

void TGridModel::LabelHeaders() {
    for (int Col = 1; Col < FColCount; ++Col) MakeHeading(Cell(Col, 0), ColumnLabel(Col));
    for (int Row = 1; Row < FRowCount; ++Row) MakeHeading(Cell(0, Row), std::to_string(Row));
}

void TGridModel::ClearHeaders() {
    for (int Col = 1; Col < FColCount; ++Col) Cell(Col, 0).Assign(FInitialFormat);
    for (int Row = 1; Row < FRowCount; ++Row) Cell(0, Row).Assign(FInitialFormat);
}

void TGridModel::CommandDone(int ACol, int ARow) {
    if (OnFinishEditing) OnFinishEditing(ACol, ARow);
    if (FAutoCalculate) Recalculate();
}
