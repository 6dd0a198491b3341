// The contour setup dialog: three pages of positions, the list buttons, and the contour set
// loaded into the grids and written back from them.
#include "contours/dialogs/contourform.h"

#include "contours/contours.h"
#include "contours/dialogs/contourgroupform.h"
#include "grid/widget/formatgrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

TContourForm::TContourForm(TContours& Contours, QWidget* Parent)
    : QDialog(Parent), FContours(Contours) {
    setWindowTitle("Contour Setup");
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setUsesScrollButtons(false);
    Grids[0] = MakeGrid("XGrid", "X Contours");
    Grids[1] = MakeGrid("YGrid", "Y Contours");
    Grids[2] = MakeGrid("ZGrid", "Z Contours");

    auto* ListButtons = new QVBoxLayout;
    ListButtons->addWidget(MakeButton("Button2", "Add Contour", &TContourForm::AddContour));
    ListButtons->addWidget(MakeButton("Button5", "Delete Contour", &TContourForm::DeleteContour));
    ListButtons->addWidget(MakeButton("Button7", "Delete All", &TContourForm::DeleteAll));
    ListButtons->addWidget(MakeButton("Button3", "Group", &TContourForm::AddGroup));
    ListButtons->addStretch();
    auto* CloseButtons = new QVBoxLayout;
    CloseButtons->addWidget(MakeButton("Button1", "Ok", &TContourForm::accept));
    CloseButtons->addWidget(MakeButton("Button6", "Cancel", &TContourForm::reject));
    CloseButtons->addStretch();
    auto* Layout = new QHBoxLayout(this);
    Layout->addWidget(PageControl1, 1);
    Layout->addLayout(ListButtons);
    Layout->addSpacing(8);
    Layout->addLayout(CloseButtons);
    setFixedSize(sizeHint().expandedTo({410, 251}));
    Load();
}

TFormatGrid& TContourForm::CurrentGrid() const {
    return *Grids[std::clamp(PageControl1->currentIndex(), 0, 2)];
}

namespace {

double Position(TFormatGrid& Grid, int Row) {
    return Grid.Cell(0, Row).Number();
}

void SetPosition(TFormatGrid& Grid, int Row, double Value) {
    Grid.Cell(0, Row).SetNumber(Value);
}

} // namespace

void TContourForm::AddContour() {
    TFormatGrid& Grid = CurrentGrid();
    const int Current = std::max(Grid.Row(), 0);
    Grid.SetRowCount(Grid.RowCount() + 1);
    for (int i = Grid.RowCount() - 1; i > Current; --i) SetPosition(Grid, i, Position(Grid, i - 1));
    SetPosition(Grid, Current, 0.0);
    Grid.setFocus();
}

void TContourForm::DeleteContour() {
    TFormatGrid& Grid = CurrentGrid();
    const int Last = Grid.RowCount() - 1;
    for (int i = std::max(Grid.Row(), 0); i < Last; ++i)
        SetPosition(Grid, i, Position(Grid, i + 1));
    SetPosition(Grid, Last, 0.0);
    Grid.SetRowCount(Last);
    Grid.setFocus();
}

void TContourForm::DeleteAll() {
    TFormatGrid& Grid = CurrentGrid();
    const int Axis = static_cast<int>(std::find(Grids, Grids + 3, &Grid) - Grids);
    if (Axis == 0) FContours.ClearX();
    if (Axis == 1) FContours.ClearY();
    if (Axis == 2) FContours.ClearZ();
    SetPosition(Grid, 0, 0.0);
    Grid.SetRowCount(std::as_const(FContours).List(Axis).Count());
}

void TContourForm::AddGroup() {
    TContourGroupForm Group(this);
    if (Group.exec() != QDialog::Accepted) return;
    const int N = Group.NumContours();
    const double Start = Group.Start(), End = Group.End();
    if (N <= 0 || !(Start < End)) return;
    TFormatGrid& Grid = CurrentGrid();
    Grid.SetRowCount(N);
    // A group of one has no spacing: its single row is Start.
    for (int i = 0; i < N; ++i)
        SetPosition(Grid, i, N == 1 ? Start : Start + i / double(N - 1) * (End - Start));
}

void TContourForm::accept() {
    FContours.Clear();
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis)
        for (int Row = 0; Row < Grid(Axis).RowCount(); ++Row)
            FContours.Add(Axis, Position(Grid(Axis), Row));
    QDialog::accept();
}

void TContourForm::Load() {
    for (int Axis = 0; Axis < 3; ++Axis) {
        const TContourList& List = std::as_const(FContours).List(Axis);
        Grid(Axis).SetRowCount(List.Count());
        for (int i = 0; i < List.Count(); ++i) SetPosition(Grid(Axis), i, List.Contour(i).Position);
    }
}

TFormatGrid* TContourForm::MakeGrid(const char* Name, const char* Caption) {
    auto* Grid = new TFormatGrid(PageControl1);
    Grid->setObjectName(Name);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    Grid->SetColCount(1);
    Grid->SetRowCount(1);
    Grid->SetDefaultColWidth(157);
    Grid->SetDefaultRowHeight(18);
    Grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // The list fills its page; the page's own frame is the grid's.
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->setFrameShape(QFrame::NoFrame);
    TGridRec& Format = Grid->InitialFormat();
    Format.SetFormatType(ftNumeric);
    Format.SetNumericFormat(ffFixed);
    Format.SetPrecision(10);
    Format.SetDigits(3);
    Format.SetAlignment(taRightJustify);
    Format.SetNumber(0.0);
    SetPosition(*Grid, 0, 0.0);
    PageControl1->addTab(Grid, Caption);
    return Grid;
}

QPushButton* TContourForm::MakeButton(const char* Name, const char* Caption,
                                      void (TContourForm::*Click)()) {
    auto* Button = new QPushButton(Caption, this);
    Button->setObjectName(Name);
    Button->setAutoDefault(false);
    connect(Button, &QPushButton::clicked, this, Click);
    return Button;
}

void ExecuteContourForm(TContours& Contours, QWidget* Parent) {
    TContourForm Form(Contours, Parent);
    Form.exec();
}
