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
#include <memory>

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
    maExit,
    maContents,
    maAbout,
    maCount
};

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
    // The dialog that names the exported file (not owned; a test may put in its own).
    void SetExportDialog(TFileDialog* Dialog) { ExportDialog1 = Dialog; }
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

    // The print dialog, then the view on one page of the printer when the user confirms.
    void PrintCommand();
    // The view on one page of Printer, titled "Keelvane".
    void PrintView(QPrinter& Printer);
    // Asks for a file name and writes the view there as PDF or SVG.
    void ExportLinesPlan();
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
    QPointer<TFileDialog> ExportDialog1;
    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<TFormSave> KeelvaneMainForm;
    THelpWindow* FHelpWindow = nullptr;

    void CreateActions();
    void CreateFileActions();
    void CreateFileManager();
    void CreateFileMenus();
    void CreateToolBar();
    void CreateMenus();
    void CreateView();
    QAction* MakeAction(TMainAction A, const QString& Text, const char* Icon, const QString& Hint);
};
