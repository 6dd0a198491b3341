// The cell model of the format grid: cells created on demand from a template, spreadsheet
// headings, recalculation of formulas, the editing commands and the stored cells. The grid
// widget drives it and fills in its hooks; it knows nothing of any toolkit.
#pragma once

#include "grid/gridlist.h"
#include "grid/gridrec.h"

#include <functional>
#include <istream>
#include <ostream>
#include <string>

class TGridModel {
public:
    using TCellEvent = std::function<void(int ACol, int ARow)>;

    // Clipboard text longer than this is cut before it is pasted.
    static constexpr std::size_t MaxPasteLength = 2549;

    TGridModel();

    // Copied into every new cell; changes reach only cells created afterwards.
    TGridRec& InitialFormat() { return FInitialFormat; }
    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    // Both relabel the headings when Headers is on; the row count never drops below 1.
    void SetColCount(int Value);
    void SetRowCount(int Value);
    // Spreadsheet labels in row 0 (A, B, ... AA) and column 0 (1, 2, ...).
    bool Headers() const { return FHeaders; }
    void SetHeaders(bool Value);
    // Recalculate after each editing command.
    bool AutoCalculate() const { return FAutoCalculate; }
    void SetAutoCalculate(bool Value) { FAutoCalculate = Value; }
    // Set when a variable cell receives a new number or formula; cleared by Recalculate.
    bool NeedsRecalc() const { return FNeedsRecalc; }
    void SetNeedsRecalc() { FNeedsRecalc = true; }

    // Finds or creates the cell, and points its OnChange at OnCellChanged.
    TGridRec& Cell(int ACol, int ARow);
    const TGridList& Cells() const { return FCells; }

    // Calculates every cell, column by column, then fires OnCalculate. Any error is raised to
    // the caller after every cell's calculating mark is cleared; OnCalculate does not fire.
    void Recalculate();
    // The value of the cell a formula names (B3, AA12): the cell is created if need be and
    // calculated first. Other names raise EExpressionFunctionNotFound.
    double CellValue(const std::string& Name);
    // A non-number typed into a numeric cell: OnNotANumber shows the message, or, with no
    // widget attached, it is raised as EConvertError.
    void ReportNotANumber(const std::string& Message);

    // Editing commands. The widget moves text to and from the clipboard itself.
    // The in-place editor closed with Text: given to the cell when it differs from its Text.
    void EditDone(int ACol, int ARow, const std::string& Text);
    // Enter ended an edit: recalculates when needed and AutoCalculate is on.
    void EnterPressed(int ACol, int ARow);
    // Ctrl+C and Ctrl+X: the text for the clipboard; Ctrl+X also empties the cell's Text.
    std::string CopyCell(int ACol, int ARow);
    std::string CutCell(int ACol, int ARow);
    // Ctrl+V: the clipboard text, cut to MaxPasteLength, becomes the cell's Text.
    void PasteCell(int ACol, int ARow, const std::string& Clipboard);
    // Delete: empties the cell's Text; its Number stays for the formulas that refer to it.
    void DeleteCell(int ACol, int ARow);
    // An arrow key moved the open editor off the cell.
    void CellLeft(int ACol, int ARow);

    // The cells of the current column and row counts, columns outermost, one record each.
    void SaveCells(std::ostream& Stream);
    // Reads what SaveCells wrote, for the current counts.
    void LoadCells(std::istream& Stream);

    // Hooks the widget fills in.
    TCellEvent OnCellChanged;                                     // repaint one cell
    TCellEvent OnFinishEditing;                                   // a cell's edit is complete
    std::function<void()> OnCalculate;                            // a recalculation finished
    std::function<void(bool Busy)> OnBusy;                        // hour-glass cursor on and off
    std::function<void(const std::string& Message)> OnNotANumber; // error message box

private:
    // Do on every cell of the current column and row counts, columns outermost.
    void ForEachCell(const std::function<void(TGridRec&)>& Do);
    void LabelHeaders();
    void ClearHeaders();
    void CommandDone(int ACol, int ARow);

    TGridRec FInitialFormat;
    TGridList FCells;
    int FColCount = 5;
    int FRowCount = 5;
    bool FHeaders = false;
    bool FAutoCalculate = false;
    bool FNeedsRecalc = false;
};
