// The format grid control under the keyboard and the mouse: typing into numeric and variable
// cells, the clipboard and Delete keys, arrows out of the editor, headings and cell drawing.
#include "grid/widget/formatgrid.h"

#include "cmake/qt_test_modal.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct FormatGridTest : testing::Test {
    FormatGridTest() {
        Grid.resize(400, 200);
        Grid.OnFinishEditing = [this](TFormatGrid&, int ACol, int ARow) {
            Finished.emplace_back(ACol, ARow);
        };
    }

    // Cells are made as they are first drawn, so the grid shows once its format is set.
    void Show() {
        Grid.show();
        Grid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Grid));
    }

    // A one-column list of positions, as the contour setup dialog has them.
    void ShowNumericList() {
        Grid.SetFixedCols(0);
        Grid.SetFixedRows(0);
        Grid.SetColCount(1);
        Grid.SetRowCount(3);
        TGridRec& Format = Grid.InitialFormat();
        Format.SetFormatType(ftNumeric);
        Format.SetNumericFormat(ffFixed);
        Format.SetPrecision(10);
        Format.SetDigits(3);
        Format.SetAlignment(taRightJustify);
        Format.SetNumber(0);
        Show();
    }

    QPoint Centre(int ACol, int ARow) const {
        return Grid.visualRect(Grid.model()->index(ARow, ACol)).center();
    }

    QLineEdit* Editor() const {
        for (QLineEdit* Each : Grid.viewport()->findChildren<QLineEdit*>())
            if (Each->isVisible()) return Each;
        return nullptr;
    }

    // The double click's own event follows the first click's press and release.
    void DoubleClick(int ACol, int ARow) {
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Centre(ACol, ARow));
        QTest::mouseDClick(Grid.viewport(), Qt::LeftButton, {}, Centre(ACol, ARow));
    }

    // Opens the editor on the cell with a double click and types Text over what it shows.
    QLineEdit& StartTyping(int ACol, int ARow, const QString& Text) {
        DoubleClick(ACol, ARow);
        QLineEdit* Edit = Editor();
        EXPECT_NE(Edit, nullptr);
        Edit->selectAll();
        QTest::keyClick(Edit, Qt::Key_Backspace);
        QTest::keyClicks(Edit, Text);
        return *Edit;
    }

    void Type(int ACol, int ARow, const QString& Text) {
        QTest::keyClick(&StartTyping(ACol, ARow, Text), Qt::Key_Return);
        EXPECT_EQ(Editor(), nullptr);
    }

    void Select(int ACol, int ARow) {
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Centre(ACol, ARow));
        EXPECT_EQ(std::make_pair(Grid.Col(), Grid.Row()), std::make_pair(ACol, ARow));
    }

    TFormatGrid Grid;
    std::vector<std::pair<int, int>> Finished;
};

TEST_F(FormatGridTest, NumericCellsReadWhatIsTyped) {
    ShowNumericList();
    EXPECT_EQ(Grid.Cell(0, 1).Text(), "0.000");
    DoubleClick(0, 1);
    QLineEdit& Edit = *Editor();
    EXPECT_EQ(Edit.text(), "0.000");
    EXPECT_TRUE(Edit.alignment() & Qt::AlignRight);
    Edit.selectAll();
    QTest::keyClicks(&Edit, "5.");
    QTest::keyClick(&Edit, Qt::Key_Return);
    EXPECT_EQ(Grid.Cell(0, 1).Text(), "5.000");
    EXPECT_EQ(Grid.Cell(0, 1).Number(), 5.0);
    EXPECT_EQ(Finished, (std::vector<std::pair<int, int>>{{0, 1}}));

    Type(0, 1, "");
    EXPECT_EQ(Grid.Cell(0, 1).Text(), "0.000");

    Type(0, 1, "2.5");
    QString Message;
    WhenModal([&](QWidget& Box) {
        Message = static_cast<QMessageBox&>(Box).text();
        Box.close();
    });
    Type(0, 1, "2,5");
    EXPECT_EQ(Message, "Unable to convert 2,5 to a number");
    EXPECT_EQ(Grid.Cell(0, 1).Number(), 2.5);
}

TEST_F(FormatGridTest, EditorShowsTheFormulaAndTheCellItsLastResult) {
    Show();
    Type(1, 1, "4");
    Type(1, 2, "=A1*2");
    EXPECT_EQ(Grid.Cell(1, 2).Text(), "");
    Grid.Recalculate();
    EXPECT_EQ(Grid.Cell(1, 2).Text(), "8");
    DoubleClick(1, 2);
    EXPECT_EQ(Editor()->text(), "=A1*2");
    QTest::keyClick(Editor(), Qt::Key_Escape);

    // With AutoCalculate, Enter after a new value brings every formula up to date.
    Grid.SetAutoCalculate(true);
    Type(1, 1, "=H9+1");
    EXPECT_EQ(Grid.Cell(1, 2).Text(), "2");
    EXPECT_NE(Grid.Model().Cells().Find(8, 9), nullptr);
}

TEST_F(FormatGridTest, CircularReferenceRaisesUntilTheLoopIsBroken) {
    Show();
    Type(1, 1, "=B1");
    Type(2, 1, "=A1+1");
    EXPECT_THROW(Grid.Recalculate(), EGridCircularReference);
    Type(1, 1, "3");
    EXPECT_NO_THROW(Grid.Recalculate());
    EXPECT_EQ(Grid.Cell(2, 1).Text(), "4");
}

TEST_F(FormatGridTest, ClipboardAndDeleteKeys) {
    Show();
    Type(1, 1, "7");
    Type(2, 1, "=A1+1");
    Finished.clear();

    Select(1, 1);
    QTest::keyClick(&Grid, Qt::Key_Delete);
    EXPECT_EQ(Grid.Cell(1, 1).Text(), "");
    EXPECT_EQ(Grid.Cell(1, 1).Number(), 7.0);
    Grid.Recalculate();
    EXPECT_EQ(Grid.Cell(2, 1).Text(), "8");

    Type(1, 1, "12.5");
    Select(1, 1);
    QTest::keyClick(&Grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "12.5");
    EXPECT_EQ(Grid.Cell(1, 1).Text(), "");
    Select(3, 3);
    QTest::keyClick(&Grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid.Cell(3, 3).Text(), "12.5");
    EXPECT_EQ(Grid.Cell(3, 3).Number(), 12.5);
    QTest::keyClick(&Grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 1}, {1, 1}, {1, 1}, {3, 3}, {3, 3}}), Finished);
}

TEST_F(FormatGridTest, ArrowsLeaveTheEditorOnlyAtTheEdgeOfTheText) {
    Show();
    QLineEdit& Edit = StartTyping(1, 1, "42");
    QTest::keyClick(&Edit, Qt::Key_Left);
    QTest::keyClick(&Edit, Qt::Key_Right);
    EXPECT_EQ(Editor(), &Edit);
    QTest::keyClick(&Edit, Qt::Key_Right);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Grid.Cell(1, 1).Text(), "42");
    EXPECT_EQ(std::make_pair(Grid.Col(), Grid.Row()), std::make_pair(2, 1));

    QTest::keyClick(&StartTyping(2, 1, "x"), Qt::Key_Down);
    EXPECT_EQ(Grid.Cell(2, 1).Text(), "x");
    EXPECT_EQ(std::make_pair(Grid.Col(), Grid.Row()), std::make_pair(2, 2));
    EXPECT_EQ(Finished, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}}));
}

TEST_F(FormatGridTest, CountsRelabelTheHeadingsAndKeepOneRow) {
    Show();
    Grid.SetHeaders(true);
    Grid.SetColCount(30);
    EXPECT_EQ(Grid.model()->columnCount(), 30);
    EXPECT_EQ(Grid.Cell(26, 0).Text(), "Z");
    EXPECT_EQ(Grid.Cell(27, 0).Text(), "AA");
    EXPECT_EQ(Grid.Cell(28, 0).Text(), "AB");
    EXPECT_EQ(Grid.Cell(29, 0).Text(), "AC");
    Grid.SetRowCount(8);
    EXPECT_EQ(Grid.Cell(0, 7).Text(), "7");

    Grid.SetFixedRows(0);
    Grid.SetCurrent(1, 0);
    Grid.SetRowCount(0);
    EXPECT_EQ(Grid.RowCount(), 1);
    EXPECT_EQ(Grid.model()->rowCount(), 1);
    EXPECT_EQ(Grid.Row(), 0);
}

// The colour of the grabbed control at a point of the viewport.
QColor PixelAt(const QImage& Picture, const TFormatGrid& Grid, QPoint Point) {
    return Picture.pixelColor(Grid.viewport()->mapTo(&Grid, Point));
}

TEST_F(FormatGridTest, CellsDrawTheirOwnColourAndAlignment) {
    Show();
    const QColor Yellow(255, 255, 0);
    Grid.Cell(1, 1).SetCellColor(0x00FFFF);
    Grid.Cell(1, 1).SetFont({"", 0, 0x0000FF, 0});
    Grid.Cell(1, 1).SetText("1");
    Grid.Cell(2, 1).SetText("x");
    Grid.SetCurrent(3, 3);
    const QImage Picture = Grid.grab().toImage();
    const QRect Right = Grid.visualRect(Grid.model()->index(1, 1));
    const QRect Left = Grid.visualRect(Grid.model()->index(1, 2));
    // The number hugs the right edge, the text the left; the rest is the cell's colour.
    auto Inked = [&](const QRect& Cell, int From, int To) {
        for (int x = Cell.left() + From; x < Cell.left() + To; ++x)
            for (int y = Cell.top() + 2; y < Cell.bottom() - 1; ++y) {
                const QColor C = PixelAt(Picture, Grid, {x, y});
                if (C != Yellow && C != Grid.palette().color(QPalette::Base)) return true;
            }
        return false;
    };
    EXPECT_EQ(PixelAt(Picture, Grid, Right.topLeft() + QPoint(3, 3)), Yellow);
    EXPECT_TRUE(Inked(Right, Right.width() - 14, Right.width()));
    EXPECT_FALSE(Inked(Right, 0, Right.width() / 2));
    EXPECT_TRUE(Inked(Left, 0, 14));
    EXPECT_FALSE(Inked(Left, Left.width() / 2, Left.width()));
    const QPoint Fixed = Grid.visualRect(Grid.model()->index(0, 1)).center();
    EXPECT_EQ(PixelAt(Picture, Grid, Fixed), Grid.palette().color(QPalette::Button));
}

} // namespace
