// The contour setup dialogs driven by the mouse and the keyboard: loading and writing back the
// contour set, the list buttons, and the group dialog's checks.
#include "contours/contours.h"
#include "contours/dialogs/contourform.h"
#include "contours/dialogs/contourgroupform.h"
#include "grid/widget/formatgrid.h"

#include "cmake/qt_test_modal.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Positions(const TContours& Contours, int Axis) {
    std::vector<double> Result;
    const TContourList& List = Contours.List(Axis);
    for (int i = 0; i < List.Count(); ++i) Result.push_back(List.Contour(i).Position);
    return Result;
}

std::vector<std::string> Rows(TFormatGrid& Grid) {
    std::vector<std::string> Result;
    for (int Row = 0; Row < Grid.RowCount(); ++Row) Result.push_back(Grid.Cell(0, Row).Text());
    return Result;
}

void Click(QWidget& Dialog, const char* Name) {
    auto* Button = Dialog.findChild<QPushButton*>(Name);
    ASSERT_NE(Button, nullptr) << Name;
    QTest::mouseClick(Button, Qt::LeftButton);
}

void Show(QWidget& Dialog) {
    Dialog.show();
    Dialog.activateWindow();
    // The widget learns that its window is active a little after the window itself.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Dialog.isActiveWindow(); }));
}

QLineEdit& Edit(QWidget& Dialog, const char* Name) {
    return *Dialog.findChild<QLineEdit*>(Name);
}

// Types Text over an edit's contents and leaves it with Tab, as a user fills in a field: an
// edit reached by the keyboard has its text selected.
void Fill(QWidget& Dialog, const char* Name, const QString& Text) {
    if (!Dialog.isActiveWindow()) Show(Dialog);
    QLineEdit& Field = Edit(Dialog, Name);
    Field.setFocus(Qt::TabFocusReason);
    QTest::keyClicks(&Field, Text);
    QTest::keyClick(&Field, Qt::Key_Tab);
}

// Answers the group dialog, opened by the Group button, with the three texts and Ok.
void Group(TContourForm& Form, const QString& Start, const QString& End, const QString& N) {
    WhenModal([=](QWidget& Dialog) {
        Fill(Dialog, "Edit1", Start);
        Fill(Dialog, "Edit2", End);
        Fill(Dialog, "Edit3", N);
        Click(Dialog, "Button1");
    });
    Click(Form, "Button3");
}

TEST(ContourForm, OkWritesEveryRowBackAsItStands) {
    TContours Contours;
    TContourForm Empty(Contours);
    EXPECT_EQ(Rows(Empty.Grid(1)), std::vector<std::string>{"0.000"});
    Empty.accept();
    for (int Axis = 0; Axis < 3; ++Axis) EXPECT_EQ(Positions(Contours, Axis), std::vector{0.0});

    Contours.Clear();
    for (const double X : {3.0, 1.0, 1.0}) Contours.Add(0, X);
    Contours.Add(2, 2.25);
    TContourForm Form(Contours);
    EXPECT_EQ(Rows(Form.Grid(0)), (std::vector<std::string>{"3.000", "1.000", "1.000"}));
    Form.accept();
    EXPECT_EQ(Positions(Contours, 0), (std::vector{3.0, 1.0, 1.0}));
    EXPECT_EQ(Positions(Contours, 1), std::vector{0.0});
    EXPECT_EQ(Positions(Contours, 2), std::vector{2.25});
}

TEST(ContourForm, ExecuteRunsTheDialogModally) {
    TContours Contours;
    Contours.Add(1, 4.0);
    WhenModal([](QWidget& Dialog) { Click(Dialog, "Button6"); });
    ExecuteContourForm(Contours);
    EXPECT_EQ(Positions(Contours, 1), std::vector{4.0});
    WhenModal([](QWidget& Dialog) { Click(Dialog, "Button1"); });
    ExecuteContourForm(Contours);
    EXPECT_EQ(Positions(Contours, 0), std::vector{0.0});
}

TEST(ContourForm, AddAndDeleteContourWorkOnTheCurrentRow) {
    TContours Contours;
    for (const double X : {1.0, 2.0, 3.0}) Contours.Add(0, X);
    TContourForm Form(Contours);
    Show(Form);
    TFormatGrid& Grid = Form.Grid(0);
    const QPoint Row1 = Grid.visualRect(Grid.model()->index(1, 0)).center();
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Row1);
    Click(Form, "Button2");
    EXPECT_EQ(Rows(Grid), (std::vector<std::string>{"1.000", "0.000", "2.000", "3.000"}));
    EXPECT_EQ(Grid.Row(), 1);
    EXPECT_TRUE(Grid.hasFocus());

    Click(Form, "Button5");
    EXPECT_EQ(Rows(Grid), (std::vector<std::string>{"1.000", "2.000", "3.000"}));
    for (int i = 0; i < 3; ++i) Click(Form, "Button5");
    EXPECT_EQ(Rows(Grid), std::vector<std::string>{"0.000"});
    EXPECT_EQ(Grid.Row(), 0);
}

TEST(ContourForm, DeleteAllEmptiesTheAxisEvenWhenCancelled) {
    TContours Contours;
    Contours.Add(0, 5.0);
    for (const double Y : {1.0, 2.0}) Contours.Add(1, Y);
    TContourForm Form(Contours);
    Show(Form);
    auto* Tabs = Form.findChild<QTabWidget*>("PageControl1")->tabBar();
    QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(1).center());
    EXPECT_EQ(&Form.CurrentGrid(), &Form.Grid(1));
    Click(Form, "Button7");
    EXPECT_EQ(Contours.NumYContours(), 0);
    EXPECT_EQ(Rows(Form.Grid(1)), std::vector<std::string>{"0.000"});
    Click(Form, "Button6");
    EXPECT_EQ(Form.result(), QDialog::Rejected);
    EXPECT_EQ(Contours.NumYContours(), 0);
    EXPECT_EQ(Positions(Contours, 0), std::vector{5.0});
}

TEST(ContourForm, GroupFillsTheCurrentListEvenly) {
    TContours Contours;
    TContourForm Form(Contours);
    Show(Form);
    Group(Form, "0", "10", "5");
    EXPECT_EQ(Rows(Form.Grid(0)),
              (std::vector<std::string>{"0.000", "2.500", "5.000", "7.500", "10.000"}));
    Group(Form, "2", "3", "1");
    EXPECT_EQ(Rows(Form.Grid(0)), std::vector<std::string>{"2.000"});
    // An empty range or no contours leave the list alone.
    Group(Form, "4", "4", "3");
    Group(Form, "1", "4", "0");
    EXPECT_EQ(Rows(Form.Grid(0)), std::vector<std::string>{"2.000"});
}

TEST(ContourGroupForm, BadValuesKeepTheDialogOpen) {
    TContourGroupForm Form;
    Show(Form);
    QString Message;
    auto Answer = [&] {
        Message.clear();
        WhenModal([&](QWidget& Box) {
            Message = static_cast<QMessageBox&>(Box).text();
            Box.close();
        });
    };
    auto Shown = [&] { return QTest::qWaitFor([&] { return !Message.isEmpty(); }); };

    Answer();
    Fill(Form, "Edit1", "abc");
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Message, "Unable to convert text to number");
    EXPECT_EQ(Form.focusWidget(), &Edit(Form, "Edit1"))
        << Form.focusWidget()->objectName().toStdString();

    Answer();
    Click(Form, "Button1");
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(Form.isVisible());

    Fill(Form, "Edit1", "5");
    Answer();
    Fill(Form, "Edit2", "1");
    Click(Form, "Button1");
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Message, "Start must be smaller than End");
    EXPECT_TRUE(Form.isVisible());

    // Enter in the last edit takes what it holds without leaving it first.
    Fill(Form, "Edit3", "4");
    QLineEdit& End = Edit(Form, "Edit2");
    End.setFocus();
    End.selectAll();
    QTest::keyClicks(&End, "9");
    QTest::keyClick(&End, Qt::Key_Return);
    EXPECT_EQ(Form.result(), QDialog::Accepted);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Form.Start(), 5.0);
    EXPECT_EQ(Form.End(), 9.0);
    EXPECT_EQ(Form.NumContours(), 4);
}

} // namespace
