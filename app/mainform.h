// TMainForm: Keelvane's main window. It owns the hull editor, the contour planes and the contour
// polylines cut from the hull, shows them in the 3-D viewport, and carries the view commands.
//
// Every command is one QAction (Action()), shown in the toolbar and the View menu alike. Further
// commands join them there: ToolBar() and the window's menu bar (menuBar(); the View menu is
// ViewMenu()) take new actions before or after the ones below.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QMenu;
class QToolBar;
class TContours;
class TGStream;
class TKeelvaneEditor;
class THydrostaticsWindow;
class TPolylineList;
class TView3D;

// The commands of the main window, in toolbar order.
enum TMainAction {
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

    void CreateActions();
    void CreateToolBar();
    void CreateMenus();
    void CreateView();
    QAction* MakeAction(TMainAction A, const QString& Text, const char* Icon, const QString& Hint);
};
