// TContourForm: the contour setup dialog, one list of plane positions per axis, each typed into a
// format grid; Ok writes the lists back to the contour set.
#pragma once

#include <QDialog>

class QPushButton;
class QTabWidget;
class TContours;
class TFormatGrid;

class TContourForm : public QDialog {
public:
    // Shows the planes of Contours, which the dialog edits but does not own.
    explicit TContourForm(TContours& Contours, QWidget* Parent = nullptr);

    // The grid of the active page.
    TFormatGrid& CurrentGrid() const;
    TFormatGrid& Grid(int Axis) const { return *Grids[Axis]; }

    // The list buttons, each on the current grid's current row.
    void AddContour();
    void DeleteContour();
    // Empties the axis in the contour set at once, whether the dialog is then cancelled or not.
    void DeleteAll();
    // Fills the current list from the group dialog.
    void AddGroup();
    // Ok: the contour set becomes the three lists, row by row, as they stand.
    void accept() override;

private:
    void Load();
    TFormatGrid* MakeGrid(const char* Name, const char* Caption);
    QPushButton* MakeButton(const char* Name, const char* Caption, void (TContourForm::*Click)());

    TContours& FContours;
    QTabWidget* PageControl1;
    TFormatGrid* Grids[3];
};

// Opens the contour setup dialog on Contours and waits until it is closed.
void ExecuteContourForm(TContours& Contours, QWidget* Parent = nullptr);
