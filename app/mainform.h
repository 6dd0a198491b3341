// TMainForm: Keelvane's main window. It owns the hull editor, the contour planes and the contour
// polylines cut from the hull, shows them in the 3-D viewport, and carries the view commands and
// the document, print and help commands.
//
// Every command is one QAction (Action()), shown in the toolbar and the menus alike. Further
// commands join them there: ToolBar() and the window's menu bar (menuBar(); the View menu is
// ViewMenu()) take new actions before or after the ones below.
#pragma once

#include "app/filedialog.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QPrinter;
class QToolBar;
class TContours;
class TFileManager;
class TFormSave;
class TGStream;
class THelpWindow;
class TKeelvaneEditor;
class TLinesPlanSheet;
struct TPaperSize;
class THydrostaticsWindow;
class TPolylineList;
class TView3D;

// The commands of the main window, in toolbar order, then those of the menus alone.
enum TMainAction {
    maNew,
    maOpen,
    maSave,
    maPrint,
    maParameters,
    maHydrostatics,
    maZoomIn,
    maZoomOut,
    maZoomAll,
    maZoomWindow,
    maZoom,
    maPan,
    maRotate,
    maStations,
    maWaterlines,
    maButtocks,
    maMirror,
    maCurves,
    maControlNet,
    maSurfaceGrid,
    maContours,
    maContourSetup,
    maSaveAs,
    maPrintSettings,
    maExportLinesPlan,
    maExportStep,
    maExportIges,
    maExportStl,
    maExportOffsets,
    maExit,
    maContents,
    maAbout,
    maCount
};

// What the main window exports: the lines plan drawing, and for the programs that follow it the
// hull surface (STEP, IGES), the closed body (STL) and the table of offsets (CSV). In the order
// of their commands from maExportLinesPlan on.
enum TExportKind { ekLinesPlan, ekStep, ekIges, ekStl, ekOffsets, ekCount };

class TMainForm : public QMainWindow {
public:
    explicit TMainForm(QWidget* Parent = nullptr);
    ~TMainForm() override;

    TKeelvaneEditor& Editor() const { return *FEditor; }
    TContours& Contours() const { return *FContours; }
    const TPolylineList& ContourLines() const { return *FContourLines; }
    bool ShowContours() const { return FShowContours; }
    bool ContoursDirty() const { return FContoursDirty; }
    TView3D& View() const { return *View3D1; }
    QAction& Action(TMainAction A) const { return *Actions[A]; }
    QToolBar& ToolBar() const { return *Panel1; }
    QMenu& ViewMenu() const { return *FViewMenu; }
    QMenu& PopupMenu() const { return *PopupMenu1; }
    THydrostaticsWindow& Hydrostatics() const { return *FHydrostatics; }
    QMenu& FileMenu() const { return *FFileMenu; }
    QMenu& HelpMenu() const { return *FHelpMenu; }
    TFileManager& FileManager() const { return *FileManager1; }
    QPrinter& Printer() const { return *FPrinter; }
    // The dialog that names the file of one kind of export (not owned; a test may put in its own).
    void SetExportDialog(TExportKind Kind, TFileDialog* Dialog) { ExportDialogs[Kind] = Dialog; }
    // Shown by Contents; none before.
    THelpWindow* HelpWindow() const { return FHelpWindow; }

    // Zoom in, zoom out, zoom all and the four mouse modes by tag (100 .. 106); other tags do
    // nothing.
    void ViewCommand(int Tag);
    void ToggleMirror();
    void ToggleDisplayFlag(std::uint8_t Bit);
    void ToggleContours();
    // The contour setup dialog; the shown contours are cut anew however it was closed.
    void ContourSetup();
    // Cuts the hull with the contour planes at three samples per control point.
    void ComputeContours();
    // The hull as its flags select, then the contours when shown and the hull is generated.
    void Redraw(TGStream& Stream);
    // The hydrostatics window, when shown, computed anew for the generated hull at its design
    // draught; while the hull is edited and not generated again it says so instead.
    void RefreshHydrostatics();

    // The print dialog, where the user also chooses the view or the lines plan, then that on one
    // page of the printer when the user confirms.
    void PrintCommand();
    // The view on one page of Printer, titled "Keelvane".
    void PrintView(QPrinter& Printer);
    // The lines plan sheet on the printer's paper in landscape, at the largest standard scale at
    // which it fits, with the planes of the contour set (the usual ones when it has none).
    // EGeometryError when the hull is not generated.
    void PrintLinesPlan(QPrinter& Printer);
    // Asks for a file name and writes the export there, showing the hourglass meanwhile and, when
    // it fails, a message naming the file and the reason.
    void ExportCommand(TExportKind Kind);
    // Writes the export to FileName, whole or not at all: the lines plan on A3, as the command
    // line draws it, as PDF, SVG or DXF by the name's extension, the others as their kind says.
    // EGeometryError when the hull is not generated, EIOError when the file cannot be written.
    void Export(TExportKind Kind, const QString& FileName);
    // Opens a project at start, as one named on the command line; one that cannot be opened is
    // reported and the new project stays.
    void OpenStartProject(const QString& FileName);
    void ShowHelp();

protected:
    // Asks whether to save unsaved changes first; Cancel, or a save that fails, keeps the window.
    void closeEvent(QCloseEvent* Event) override;

private:
    std::unique_ptr<TKeelvaneEditor> FEditor;
    std::unique_ptr<TContours> FContours;
    std::unique_ptr<TPolylineList> FContourLines;
    bool FShowContours = false;
    bool FContoursDirty = false;

    TView3D* View3D1;
    QToolBar* Panel1;
    QMenu* FViewMenu;
    QMenu* PopupMenu1;
    THydrostaticsWindow* FHydrostatics;
    std::array<QAction*, maCount> Actions{};
    QMenu* FFileMenu;
    QMenu* FHelpMenu;
    TFileManager* FileManager1;
    TFileDialog* OpenDialog1;
    TFileDialog* SaveDialog1;
    std::array<QPointer<TFileDialog>, ekCount> ExportDialogs;
    std::unique_ptr<QPrinter> FPrinter;
    bool FPrintLinesPlan = false; // the print dialog's last choice: the lines plan, not the view
    std::unique_ptr<TFormSave> KeelvaneMainForm;
    THelpWindow* FHelpWindow = nullptr;

    void CreateActions();
    void CreateFileActions();
    void CreateExportActions();
    // The file name of the project, without its folder; empty while it was never saved.
    QString ProjectFileName() const;
    // The planes that lines plans and tables cut: the contour set's, or when it has none those
    // of a usual lines plan. EGeometryError when the hull is not generated.
    std::unique_ptr<TContours> CuttingPlanes() const;
    // Lays out the lines plan cut by Planes on Paper and hands it to Use with its title.
    using TUseSheet = std::function<void(const TLinesPlanSheet& Sheet, const std::string& Title)>;
    void UseLinesPlan(const TContours& Planes, const TPaperSize& Paper, const TUseSheet& Use) const;
    void CreateFileManager();
    void CreateFileMenus();
    void CreateToolBar();
    void CreateMenus();
    void CreateView();
    QAction* MakeAction(TMainAction A, const QString& Text, const char* Icon, const QString& Hint);
};
