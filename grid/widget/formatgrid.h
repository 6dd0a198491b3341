// TFormatGrid: a grid control whose cells each carry their own format, colour, font and alignment,
// and hold text, numbers or formulas that refer to other cells (B3, AA12).
#pragma once

#include "grid/gridmodel.h"

#include <QFont>
#include <QTableView>

#include <functional>

class TFormatGrid : public QTableView {
public:
    using TFinishEditingEvent = std::function<void(TFormatGrid& Sender, int ACol, int ARow)>;
    using TNotifyEvent = std::function<void(TFormatGrid& Sender)>;

    explicit TFormatGrid(QWidget* Parent = nullptr);

    // The template copied into every new cell.
    TGridRec& InitialFormat() { return Cells.InitialFormat(); }
    // Finds the cell, or creates it from InitialFormat.
    TGridRec& Cell(int ACol, int ARow) { return Cells.Cell(ACol, ARow); }
    // The cells themselves, for what the control adds nothing to (stored cells, NeedsRecalc).
    TGridModel& Model() { return Cells; }

    int ColCount() const { return Cells.ColCount(); }
    int RowCount() const { return Cells.RowCount(); }
    // Both relabel the headings when Headers is on; the row count never drops below 1.
    void SetColCount(int Value);
    void SetRowCount(int Value);
    // The leading columns and rows drawn as fixed cells: never selected or edited.
    int FixedCols() const { return FFixedCols; }
    int FixedRows() const { return FFixedRows; }
    void SetFixedCols(int Value);
    void SetFixedRows(int Value);
    void SetDefaultColWidth(int Pixels);
    void SetDefaultRowHeight(int Pixels);

    bool Headers() const { return Cells.Headers(); }
    void SetHeaders(bool Value) { Cells.SetHeaders(Value); }
    bool AutoCalculate() const { return Cells.AutoCalculate(); }
    void SetAutoCalculate(bool Value) { Cells.SetAutoCalculate(Value); }
    // The font of the fixed cells.
    const QFont& FixedFont() const { return FFixedFont; }
    void SetFixedFont(const QFont& Value);

    // The current cell.
    int Col() const { return currentIndex().column(); }
    int Row() const { return currentIndex().row(); }
    void SetCurrent(int ACol, int ARow);
    bool IsFixed(int ACol, int ARow) const { return ACol < FFixedCols || ARow < FFixedRows; }

    // Calculates every cell; errors (a circular reference, a bad formula) are raised to the
    // caller.
    void Recalculate() { Cells.Recalculate(); }

    TFinishEditingEvent OnFinishEditing; // a cell's edit was completed
    TNotifyEvent OnCalculate;            // a recalculation finished

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    class TItems;
    class TDelegate;

    void CellChanged(int ACol, int ARow);
    void ShowNotANumber(const std::string& Message);
    // A key the in-place editor hands over: Enter ends the edit, an arrow moves off the cell.
    void EditorEnter();
    void EditorArrow(QKeyEvent* Event);

    TGridModel Cells;
    TItems* Items;
    QFont FFixedFont;
    int FFixedCols = 1;
    int FFixedRows = 1;
};
