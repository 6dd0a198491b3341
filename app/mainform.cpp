// The main window: its owned model objects, the toolbar and menus of the view commands, and the
// redraw that draws the hull and the lazily computed contours.
#include "app/mainform.h"

#include "app/filemanager.h"
#include "contours/computecontours.h"
#include "contours/contours.h"
#include "contours/dialogs/contourform.h"
#include "controls/formsave.h"
#include "controls/svgpicture.h"
#include "display/viewport/view3dcontrol.h"
#include "geometry/matrix.h"
#include "geometry/polylist.h"
#include "hull/editor/keelvaneeditor.h"
#include "hydro/window/hydrostaticswindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QToolBar>

namespace {

QIcon AppIcon(const char* Name) {
    return SvgIcon(QString(":/keelvane/app/%1.svg").arg(Name));
}

// The view commands' tags, from ZoomIn to the rotate mode.
constexpr int FirstViewTag = 100;

} // namespace

TMainForm::TMainForm(QWidget* Parent)
    : QMainWindow(Parent), FEditor(std::make_unique<TKeelvaneEditor>()),
      FContours(std::make_unique<TContours>()), FContourLines(std::make_unique<TPolylineList>()) {
    setWindowTitle("Keelvane");
    setWindowIcon(AppIcon("keelvane"));
    setGeometry(212, 159, 770, 559);
    KeelvaneMainForm = std::make_unique<TFormSave>(*this, "KeelvaneMainForm", sfRegistryFile,
                                                   soPosition | soState);
    FHydrostatics = new THydrostaticsWindow(this);
    CreateView();
    CreateActions();
    CreateToolBar();
    CreateMenus();
    CreateFileManager();
    FEditor->OnChange = [this](TKeelvaneEditor&) {
        // The contours follow the hull on the first redraw after it is generated again.
        FContoursDirty = true;
        FileManager1->SetModified(true);
        View3D1->RequestRedraw();
        RefreshHydrostatics();
    };
    FileManager1->NewFile();
    FEditor->ShowEditor(this);
}

// The parameter window (a child) goes after the editor it edits has let go of it.
TMainForm::~TMainForm() = default;

void TMainForm::CreateView() {
    View3D1 = new TView3D(this);
    View3D1->setObjectName("View3D1");
    View3D1->SetModifyMode(mmRotate);
    View3D1->SetZoomMagnification(20);
    View3D1->SetPerspective(false);
    View3D1->SetRho(50.0);
    View3D1->setFocusPolicy(Qt::StrongFocus);
    View3D1->OnRedraw = [this](QObject*, TGStream& S) { Redraw(S); };
    View3D1->OnPreviewRedraw = [this](QObject*, TGStream& S) { FEditor->DrawPreview(S); };
    setCentralWidget(View3D1);
}

QAction* TMainForm::MakeAction(TMainAction A, const QString& Text, const char* Icon,
                               const QString& Hint) {
    auto* Action = new QAction(Text, this);
    if (Icon) Action->setIcon(AppIcon(Icon));
    Action->setToolTip(Hint);
    Action->setStatusTip(Hint);
    Actions[A] = Action;
    return Action;
}

void TMainForm::CreateActions() {
    CreateFileActions();
    connect(MakeAction(maParameters, "Hull &Parameters...", "parameters",
                       "Show the hull parameter window"),
            &QAction::triggered, this, [this] { FEditor->ShowEditor(this); });
    connect(MakeAction(maHydrostatics, "&Hydrostatics...", "hydrostatics",
                       "Show the hydrostatics and curves of form of the generated hull"),
            &QAction::triggered, this, [this] {
                FHydrostatics->show();
                FHydrostatics->raise();
                RefreshHydrostatics();
            });

    // Zoom and the mouse modes share one handler by tag.
    struct TViewCommand {
        TMainAction A;
        const char* Text;
        const char* Icon;
        const char* Hint;
    };
    static constexpr TViewCommand ViewCommands[] = {
        {maZoomIn, "Zoom &In", "zoom-in", "Zoom in"},
        {maZoomOut, "Zoom &Out", "zoom-out", "Zoom out"},
        {maZoomAll, "Zoom &All", "zoom-all", "Show the whole hull"},
        {maZoomWindow, "Zoom &Window", "zoom-window", "Drag a box to zoom into"},
        {maZoom, "&Zoom", "zoom", "Drag up or down to zoom"},
        {maPan, "&Pan", "pan", "Drag to move the view"},
        {maRotate, "&Rotate", "rotate", "Drag to rotate the hull"},
    };
    auto* Modes = new QActionGroup(this);
    for (int i = 0; i < 7; ++i) {
        const TViewCommand& C = ViewCommands[i];
        QAction* Action = MakeAction(C.A, C.Text, C.Icon, C.Hint);
        const int Tag = FirstViewTag + i;
        Action->setData(Tag);
        connect(Action, &QAction::triggered, this, [this, Tag] { ViewCommand(Tag); });
        if (C.A >= maZoomWindow) {
            Action->setCheckable(true);
            Modes->addAction(Action);
        }
    }
    Actions[maRotate]->setChecked(true);
    Actions[maZoomIn]->setShortcut(QKeySequence::ZoomIn);
    Actions[maZoomOut]->setShortcut(QKeySequence::ZoomOut);

    // The standard views: toolbar captions Sta, Wl and Btk; their keys act in the view.
    const auto StandardView = [this](TMainAction A, const QString& Text, const QString& Caption,
                                     const QString& Key, auto Show) {
        QAction* Action = MakeAction(A, Text, nullptr, Text + " (" + Key + ")");
        Action->setIconText(Caption);
        Action->setShortcut(QKeySequence(Key));
        Action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(Action, &QAction::triggered, this, Show);
    };
    StandardView(maStations, "Stations", "Sta", "Ctrl+S", [this] { View3D1->ViewStations(); });
    StandardView(maWaterlines, "Waterlines", "Wl", "Ctrl+W", [this] { View3D1->ViewWaterlines(); });
    StandardView(maButtocks, "Buttocks", "Btk", "Ctrl+B", [this] { View3D1->ViewButtocks(); });

    const auto Toggle = [this](TMainAction A, const QString& Text, const char* Icon,
                               const QString& Hint, auto Command) {
        QAction* Action = MakeAction(A, Text, Icon, Hint);
        Action->setCheckable(true);
        connect(Action, &QAction::triggered, this, Command);
    };
    Toggle(maMirror, "&Mirror", "mirror", "Show the port side as well", [this] { ToggleMirror(); });
    Toggle(maCurves, "Defining &Curves", "curves", "Show the defining curves",
           [this] { ToggleDisplayFlag(dfCurves); });
    Toggle(maControlNet, "Control &Net", "control-net", "Show the surface's control net",
           [this] { ToggleDisplayFlag(dfControlNet); });
    Toggle(maSurfaceGrid, "Surface &Grid", "surface-grid", "Show the surface's iso-lines",
           [this] { ToggleDisplayFlag(dfSurfaceGrid); });
    Toggle(maContours, "C&ontours", "contours", "Show the stations, waterlines and buttocks",
           [this] { ToggleContours(); });
    connect(MakeAction(maContourSetup, "Contour &Setup...", "contour-setup",
                       "Set the positions of the stations, waterlines and buttocks"),
            &QAction::triggered, this, [this] { ContourSetup(); });
    Actions[maSurfaceGrid]->setChecked(FEditor->DisplayFlags & dfSurfaceGrid);
}

void TMainForm::CreateToolBar() {
    Panel1 = addToolBar("Toolbar");
    Panel1->setObjectName("Panel1");
    Panel1->setMovable(false);
    Panel1->setIconSize({22, 22});
    for (int A = maNew; A <= maPrint; ++A) Panel1->addAction(Actions[A]);
    Panel1->addSeparator();
    Panel1->addAction(Actions[maParameters]);
    Panel1->addAction(Actions[maHydrostatics]);
    Panel1->addSeparator();
    for (int A = maZoomIn; A <= maRotate; ++A) Panel1->addAction(Actions[A]);
    Panel1->addSeparator();
    for (int A = maStations; A <= maButtocks; ++A) Panel1->addAction(Actions[A]);
    Panel1->addSeparator();
    for (int A = maMirror; A <= maContours; ++A) Panel1->addAction(Actions[A]);
    Panel1->addSeparator();
    Panel1->addAction(Actions[maContourSetup]);
}

void TMainForm::CreateMenus() {
    CreateFileMenus();
    FViewMenu = new QMenu("&View", this);
    menuBar()->insertMenu(FHelpMenu->menuAction(), FViewMenu);
    FViewMenu->addAction(Actions[maParameters]);
    FViewMenu->addAction(Actions[maHydrostatics]);
    for (const auto& [First, Last] :
         {std::pair{maZoomIn, maRotate}, {maStations, maButtocks}, {maMirror, maContourSetup}}) {
        FViewMenu->addSeparator();
        for (int A = First; A <= Last; ++A) FViewMenu->addAction(Actions[A]);
    }
    PopupMenu1 = new QMenu(this);
    for (int A = maStations; A <= maButtocks; ++A) {
        PopupMenu1->addAction(Actions[A]);
        View3D1->addAction(Actions[A]);
    }
    View3D1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(View3D1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& P) { PopupMenu1->popup(View3D1->mapToGlobal(P)); });
}

void TMainForm::ViewCommand(int Tag) {
    switch (Tag) {
    case 100:
        View3D1->ZoomIn();
        break;
    case 101:
        View3D1->ZoomOut();
        break;
    case 102:
        View3D1->ZoomAll();
        break;
    case 103:
        View3D1->SetModifyMode(mmZoomWindow);
        break;
    case 104:
        View3D1->SetModifyMode(mmZoom);
        break;
    case 105:
        View3D1->SetModifyMode(mmPan);
        break;
    case 106:
        View3D1->SetModifyMode(mmRotate);
        break;
    default:
        return;
    }
    if (Tag >= 103) Actions[maZoomWindow + (Tag - 103)]->setChecked(true);
}

void TMainForm::ToggleMirror() {
    FEditor->Mirror = !FEditor->Mirror;
    Actions[maMirror]->setChecked(FEditor->Mirror);
    View3D1->RequestResize();
    View3D1->RequestRedraw();
}

void TMainForm::ToggleDisplayFlag(std::uint8_t Bit) {
    FEditor->DisplayFlags ^= Bit;
    const TMainAction A = Bit == dfCurves       ? maCurves
                          : Bit == dfControlNet ? maControlNet
                                                : maSurfaceGrid;
    Actions[A]->setChecked(FEditor->DisplayFlags & Bit);
    View3D1->RequestRedraw();
}

void TMainForm::ToggleContours() {
    FShowContours = !FShowContours;
    Actions[maContours]->setChecked(FShowContours);
    if (FShowContours) FContoursDirty = true;
    View3D1->RequestRedraw();
}

void TMainForm::ContourSetup() {
    ExecuteContourForm(*FContours, this);
    if (!FShowContours) return;
    ComputeContours();
    View3D1->RequestRedraw();
}

void TMainForm::ComputeContours() {
    FContourLines = ::ComputeContours(*FEditor, *FContours);
    FContoursDirty = false;
}

void TMainForm::Redraw(TGStream& Stream) {
    FEditor->Draw(Stream);
    if (!FEditor->Generated) {
        FContourLines->Clear();
        FContoursDirty = true;
    }
    if (!FShowContours || !FEditor->Generated) return;
    if (FContoursDirty) ComputeContours();
    if (FEditor->Mirror) FContourLines->TransformedCopy(*MirrorMatrix(2, 0))->Draw(Stream);
    FContourLines->Draw(Stream);
}

void TMainForm::RefreshHydrostatics() {
    if (!FHydrostatics->isVisible()) return;
    if (!FEditor->Generated) {
        FHydrostatics->ShowWhyNot("The hull is not generated: apply the parameters to compute its "
                                  "hydrostatics.");
        return;
    }
    const TKeelvaneParameters& P = FEditor->Parameters();
    FHydrostatics->Refresh(*FEditor, P.Draught, P.Depth, FEditor->Midship());
}
