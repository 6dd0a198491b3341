// Cells of the format grid: typed text, formulas and references, recalculation, headings,
// editing commands and the stored cells.
#include "grid/cellref.h"
#include "grid/expression.h"
#include "grid/gridmodel.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// A one-column contour-style grid: numeric cells, fixed notation, precision 10, 3 decimals.
struct NumericGrid : testing::Test {
    NumericGrid() {
        Grid.InitialFormat().SetFormatType(ftNumeric);
        Grid.InitialFormat().SetNumericFormat(ffFixed);
        Grid.InitialFormat().SetPrecision(10);
        Grid.InitialFormat().SetDigits(3);
        Grid.OnNotANumber = [this](const std::string& Message) { Messages.push_back(Message); };
    }
    TGridModel Grid;
    std::vector<std::string> Messages;
};

TEST_F(NumericGrid, TakesNumbersAndRejectsText) {
    TGridRec& Cell = Grid.Cell(1, 1);
    EXPECT_EQ(Cell.Text(), "0.000");
    Cell.SetText("5.");
    EXPECT_EQ(Cell.Number(), 5.0);
    EXPECT_EQ(Cell.Text(), "5.000");
    Cell.SetText("abc");
    EXPECT_EQ(Messages, std::vector<std::string>{"Unable to convert abc to a number"});
    EXPECT_EQ(Cell.Number(), 5.0);
    EXPECT_EQ(Cell.Text(), "5.000");
    Cell.SetText("");
    EXPECT_EQ(Cell.Number(), 0.0);
    Grid.OnNotANumber = nullptr;
    EXPECT_THROW(Cell.SetText("1,5"), EConvertError);
}

TEST_F(NumericGrid, ReformatsWhenTheFormatChanges) {
    TGridRec& Cell = Grid.Cell(0, 0);
    Cell.SetNumber(2.5);
    Cell.SetDigits(1);
    EXPECT_EQ(Cell.Text(), "2.5");
    Cell.SetNumericFormat(ffExponent);
    EXPECT_EQ(Cell.Text(), "2.500000000E+0");
}

TEST(GridCell, VariableCellBecomesNumberFormulaOrText) {
    TGridModel Grid;
    TGridRec& Cell = Grid.Cell(1, 1);
    Cell.SetText("12.50");
    EXPECT_EQ(Cell.Text(), "12.5");
    EXPECT_EQ(Cell.Alignment(), taRightJustify);
    EXPECT_TRUE(Grid.NeedsRecalc());
    Grid.Cell(1, 2).SetText("=A1*2");
    EXPECT_EQ(Grid.Cell(1, 2).Text(), "");
    EXPECT_EQ(Grid.Cell(1, 2).EditText(), "=A1*2");
    Grid.Recalculate();
    EXPECT_FALSE(Grid.NeedsRecalc());
    EXPECT_EQ(Grid.Cell(1, 2).Text(), "25");
    Cell.SetText("hello");
    EXPECT_EQ(Cell.Text(), "hello");
    EXPECT_EQ(Cell.Alignment(), taLeftJustify);
    EXPECT_EQ(Cell.Number(), 12.5);
}

TEST(GridCell, ReferencesCrossTheAlphabetBoundary) {
    EXPECT_EQ(ColumnLabel(26), "Z");
    EXPECT_EQ(ColumnLabel(27), "AA");
    EXPECT_EQ(ColumnLabel(52), "AZ");
    EXPECT_EQ(ColumnLabel(53), "BA");
    TGridModel Grid;
    Grid.SetColCount(60);
    Grid.Cell(26, 1).SetText("1");
    Grid.Cell(27, 1).SetText("20");
    Grid.Cell(52, 1).SetText("300");
    Grid.Cell(53, 1).SetText("4000");
    Grid.Cell(1, 2).SetText("=z1+aa1+AZ1+BA1");
    Grid.Recalculate();
    EXPECT_EQ(Grid.Cell(1, 2).Number(), 4321.0);
    Grid.Cell(1, 3).SetText("=A1X+1");
    try {
        Grid.Cell(1, 3).Calculate();
        FAIL();
    } catch (const EExpressionFunctionNotFound& Error) {
        EXPECT_STREQ(Error.what(), "Unknown function - A1X");
    }
    for (const char* Bad : {"A1X", "ABC1", "1A", "A", "#1", "A99999999999"})
        EXPECT_THROW(ParseCellReference(Bad), EExpressionFunctionNotFound) << Bad;
}

TEST(GridCell, ReferenceBeyondTheGridCreatesTheCell) {
    TGridModel Grid;
    Grid.InitialFormat().SetNumber(4);
    Grid.Cell(1, 1).SetText("=J9+1");
    const int Before = Grid.Cells().Count();
    Grid.Cell(1, 1).Calculate();
    EXPECT_EQ(Grid.Cells().Count(), Before + 1);
    ASSERT_NE(Grid.Cells().Find(10, 9), nullptr);
    EXPECT_EQ(Grid.Cell(1, 1).Number(), 5.0);
}

TEST(GridCell, CircularReferencesRaiseAndRecoverOnceBroken) {
    TGridModel Grid;
    int Calculated = 0;
    Grid.OnCalculate = [&] { ++Calculated; };
    Grid.Cell(1, 1).SetText("=B1+1");
    Grid.Cell(2, 1).SetText("=A1");
    try {
        Grid.Recalculate();
        FAIL();
    } catch (const EGridCircularReference& Error) {
        EXPECT_STREQ(Error.what(), "Unable to handle circular references");
    }
    EXPECT_EQ(Calculated, 0);
    EXPECT_FALSE(Grid.Cell(1, 1).Calculating());
    EXPECT_FALSE(Grid.Cell(2, 1).Calculating());
    Grid.Cell(2, 1).SetText("5");
    Grid.Recalculate();
    EXPECT_EQ(Grid.Cell(1, 1).Number(), 6.0);
    EXPECT_EQ(Calculated, 1);
}

// A long chain of cells, each referring to the one above, nests one evaluation in another: too
// long a chain raises instead of exhausting the stack, and leaves no cell marked.
TEST(GridCell, ReferenceChainsAreBounded) {
    TGridModel Grid;
    const int Chain = MaxExpressionNesting + 100;
    Grid.Cell(1, 1).SetText("1");
    for (int Row = 2; Row <= Chain; ++Row)
        Grid.Cell(1, Row).SetText("=(A" + std::to_string(Row - 1) + ")+1");
    EXPECT_THROW(Grid.Cell(1, Chain).Calculate(), EExpressionError);
    for (int Row = 1; Row <= Chain; ++Row) ASSERT_FALSE(Grid.Cell(1, Row).Calculating()) << Row;
    Grid.Cell(1, Chain / 2).SetText("0");
    Grid.Cell(1, Chain / 3).Calculate();
    EXPECT_EQ(Grid.Cell(1, Chain / 3).Number(), Chain / 3);
    EXPECT_EQ(Evaluate(std::string(MaxExpressionNesting - 1, '(') + "2"), 2.0);
}

TEST(GridCell, BadFormulaKeepsTheLastResult) {
    TGridModel Grid;
    Grid.Cell(1, 1).SetText("=2*3");
    Grid.Recalculate();
    Grid.Cell(1, 1).SetText("=1/0");
    EXPECT_THROW(Grid.Recalculate(), EMathError);
    EXPECT_EQ(Grid.Cell(1, 1).Number(), 6.0);
    EXPECT_EQ(Grid.Cell(1, 1).Text(), "6");
}

TEST(GridCell, EditingCommands) {
    TGridModel Grid;
    Grid.SetAutoCalculate(true);
    std::vector<std::pair<int, int>> Finished;
    Grid.OnFinishEditing = [&](int Col, int Row) { Finished.emplace_back(Col, Row); };
    Grid.EditDone(1, 1, "7");
    Grid.EditDone(1, 2, "=A1*3");
    Grid.EnterPressed(1, 2);
    EXPECT_EQ(Grid.Cell(1, 2).Number(), 21.0);
    Grid.DeleteCell(1, 1);
    EXPECT_EQ(Grid.Cell(1, 1).Text(), "");
    EXPECT_EQ(Grid.Cell(1, 1).Number(), 7.0);
    EXPECT_EQ(Grid.Cell(1, 2).Number(), 21.0);
    EXPECT_EQ(Grid.CutCell(1, 2), "21");
    Grid.PasteCell(2, 2, std::string(3000, 'x'));
    EXPECT_EQ(Grid.Cell(2, 2).Text().size(), TGridModel::MaxPasteLength);
    EXPECT_EQ(Finished.size(), 4u);
}

TEST(GridCell, HeadersLabelRowZeroAndColumnZero) {
    TGridModel Grid;
    Grid.Cell(1, 0).SetText("kept");
    Grid.SetHeaders(false);
    EXPECT_EQ(Grid.Cell(1, 0).Text(), "kept");
    Grid.Cell(2, 0).SetText("=1+1");
    Grid.SetHeaders(true);
    Grid.SetColCount(30);
    Grid.SetRowCount(4);
    Grid.Recalculate();
    EXPECT_EQ(Grid.Cell(2, 0).Text(), "B");
    EXPECT_EQ(Grid.Cell(2, 0).EditText(), "B");
    EXPECT_EQ(Grid.Cell(1, 0).Text(), "A");
    EXPECT_EQ(Grid.Cell(27, 0).Text(), "AA");
    EXPECT_EQ(Grid.Cell(29, 0).Text(), "AC");
    EXPECT_EQ(Grid.Cell(0, 3).Text(), "3");
    EXPECT_EQ(Grid.Cell(0, 3).FormatType(), ftText);
    EXPECT_EQ(Grid.Cell(0, 3).Alignment(), taCenter);
    EXPECT_TRUE(Grid.Cell(0, 3).Font().Style & fsBold);
    Grid.SetHeaders(false);
    EXPECT_EQ(Grid.Cell(27, 0).Text(), "");
    EXPECT_EQ(Grid.Cell(27, 0).FormatType(), ftVariable);
    EXPECT_EQ(Grid.Cell(27, 0).CellColor(), clWindow);
}

TEST(GridCell, StoredCellsReadBack) {
    TGridModel Source;
    Source.SetColCount(3);
    Source.SetRowCount(2);
    Source.Cell(0, 0).SetText("line one\nback\\slash");
    Source.Cell(1, 1).SetText("0.1");
    Source.Cell(2, 1).SetText("=A1*3");
    Source.Cell(2, 1).SetFont({"Serif", 11, 0x0000FF, fsItalic});
    Source.Recalculate();
    std::stringstream Stream;
    Source.SaveCells(Stream);
    TGridModel Copy;
    Copy.SetColCount(3);
    Copy.SetRowCount(2);
    Copy.LoadCells(Stream);
    EXPECT_EQ(Copy.Cell(0, 0).Text(), "line one\nback\\slash");
    EXPECT_EQ(Copy.Cell(1, 1).Number(), 0.1);
    EXPECT_EQ(Copy.Cell(2, 1).Formula(), "A1*3");
    EXPECT_EQ(Copy.Cell(2, 1).Text(), Source.Cell(2, 1).Text());
    EXPECT_EQ(Copy.Cell(2, 1).Font(), Source.Cell(2, 1).Font());
    EXPECT_EQ(Copy.Cell(2, 1).CellColor(), clWindow);
    std::stringstream Short("Cell.Alignment=1\r\nCell.CellColor=x\r\n");
    EXPECT_THROW(Copy.LoadCells(Short), EReadError);
}

} // namespace
