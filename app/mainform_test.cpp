// The main window: contours computed lazily after a generation, the mirror's refit, the toggles'
// down state, the view commands by tag and the standard views' keys in the view.
#include "app/mainform.h"

#include "cmake/qt_test_modal.h"

#include "contours/contours.h"
#include "controls/qnspin.h"
#include "display/viewport/view3dcontrol.h"
#include "geometry/gstream.h"
#include "geometry/polylist.h"
#include "hull/editor/keelvaneeditor.h"
#include "hull/editor/keelvaneform.h"
#include "hydro/window/hydrostaticswindow.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TShownMainForm {
    TMainForm Form;
    TShownMainForm() {
        Form.show();
        [[maybe_unused]] const bool Exposed = QTest::qWaitForWindowExposed(&Form);
        QTest::qWait(250);
    }
    TKeelvaneEditor& Editor() { return Form.Editor(); }
    void Redraw() { Form.View().DoRedraw(); }
    void Apply() { Editor().Form()->Apply(); }
};

// Opens the contour setup dialog from its toolbar button and closes it with the named button.
void ContourSetupClosedWith(TMainForm& Form, const char* Button) {
    WhenModal([Button](QWidget& Dialog) { Dialog.findChild<QPushButton*>(Button)->click(); });
    Form.Action(maContourSetup).trigger();
}

} // namespace

TEST(MainForm, ContoursTurnedOnBeforeGenerationAppearAfterApply) {
    TShownMainForm M;
    M.Form.Contours().Add(0, 50);
    M.Form.Contours().Add(2, 3);
    M.Form.Action(maContours).trigger();
    EXPECT_TRUE(M.Form.ShowContours());
    EXPECT_TRUE(M.Form.Action(maContours).isChecked());
    M.Redraw();
    EXPECT_EQ(M.Form.ContourLines().Count(), 0);
    EXPECT_TRUE(M.Form.ContoursDirty());
    M.Apply();
    M.Redraw();
    EXPECT_FALSE(M.Form.ContoursDirty());
    EXPECT_GE(M.Form.ContourLines().Count(), 2);
    // An edit empties them until the next generation.
    M.Editor().Form()->SpinEdit(103).SetValue(22);
    M.Redraw();
    EXPECT_EQ(M.Form.ContourLines().Count(), 0);
    M.Apply();
    M.Redraw();
    EXPECT_GE(M.Form.ContourLines().Count(), 2);
}

TEST(MainForm, MirrorRefitsTheViewToTheDoubledWidth) {
    TShownMainForm M;
    M.Apply();
    M.Form.Action(maStations).trigger();
    const TExtents Starboard = M.Form.View().View3D().Extents3D();
    EXPECT_NEAR(Starboard.MinY, 0, 1e-9);
    M.Form.Action(maMirror).trigger();
    EXPECT_TRUE(M.Form.Action(maMirror).isChecked());
    EXPECT_EQ(M.Editor().Mirror, 1);
    QTest::qWait(350); // the resize request is served
    const TExtents Both = M.Form.View().View3D().Extents3D();
    EXPECT_NEAR(Both.MinY, -Starboard.MaxY, 1e-9);
    const TG2DView& V = M.Form.View().View();
    EXPECT_NEAR((V.LeftX() + V.RightX()) / 2, 0, 1e-6);
    M.Form.Action(maMirror).trigger();
    EXPECT_FALSE(M.Form.Action(maMirror).isChecked());
    EXPECT_EQ(M.Editor().Mirror, 0);
}

TEST(MainForm, EachDisplayButtonIsDownExactlyWhenItsBitIsSet) {
    TShownMainForm M;
    EXPECT_TRUE(M.Form.Action(maSurfaceGrid).isChecked());
    for (int Round = 0; Round < 2; ++Round)
        for (const auto& [A, Bit] : {std::pair{maCurves, dfCurves},
                                     {maControlNet, dfControlNet},
                                     {maSurfaceGrid, dfSurfaceGrid}}) {
            M.Form.Action(A).trigger();
            EXPECT_EQ(M.Form.Action(A).isChecked(), (M.Editor().DisplayFlags & Bit) != 0);
            // A command from elsewhere (a menu, a script) keeps the button in step.
            M.Form.ToggleDisplayFlag(Bit);
            EXPECT_EQ(M.Form.Action(A).isChecked(), (M.Editor().DisplayFlags & Bit) != 0);
            M.Form.ToggleDisplayFlag(Bit);
        }
}

TEST(MainForm, ViewCommandsByTag) {
    TShownMainForm M;
    EXPECT_EQ(M.Form.View().ModifyMode(), mmRotate);
    EXPECT_TRUE(M.Form.Action(maRotate).isChecked());
    M.Form.ViewCommand(105);
    EXPECT_EQ(M.Form.View().ModifyMode(), mmPan);
    EXPECT_TRUE(M.Form.Action(maPan).isChecked());
    M.Form.Action(maZoomWindow).trigger();
    EXPECT_EQ(M.Form.View().ModifyMode(), mmZoomWindow);
    const double Width = M.Form.View().View().RightX() - M.Form.View().View().LeftX();
    M.Form.ViewCommand(100);
    EXPECT_NEAR(M.Form.View().View().RightX() - M.Form.View().View().LeftX(), 0.8 * Width,
                1e-9 * Width);
    for (const int Tag : {99, 107}) {
        M.Form.ViewCommand(Tag);
        EXPECT_EQ(M.Form.View().ModifyMode(), mmZoomWindow);
    }
}

TEST(MainForm, StandardViewKeysInTheView) {
    TShownMainForm M;
    QApplication::setActiveWindow(&M.Form);
    M.Form.View().setFocus();
    for (const auto& [Key, Kind] :
         {std::pair{Qt::Key_S, vkEnd}, {Qt::Key_W, vkPlan}, {Qt::Key_B, vkSide}}) {
        QTest::keyClick(&M.Form.View(), Key, Qt::ControlModifier);
        EXPECT_EQ(M.Form.View().ViewKind(), Kind);
    }
    EXPECT_EQ(M.Form.PopupMenu().actions().size(), 3);
}

TEST(MainForm, ContourSetupCutsTheShownContoursAnewWhicheverButtonClosesIt) {
    TShownMainForm M;
    M.Apply();
    M.Form.Action(maContours).trigger();
    M.Redraw();
    EXPECT_EQ(M.Form.ContourLines().Count(), 0);

    M.Form.Contours().Add(0, 50);
    ContourSetupClosedWith(M.Form, "Button6"); // Cancel
    const int Lines = M.Form.ContourLines().Count();
    EXPECT_GE(Lines, 1);
    EXPECT_FALSE(M.Form.ContoursDirty());

    // Hidden contours wait for the next time they are shown.
    M.Form.Action(maContours).trigger();
    ContourSetupClosedWith(M.Form, "Button1"); // Ok: adds a plane at 0 on Y and Z
    EXPECT_EQ(M.Form.Contours().NumZContours(), 1);
    EXPECT_EQ(M.Form.ContourLines().Count(), Lines);
}

TEST(MainForm, HydrostaticsFollowEveryGenerationAndLiveStep) {
    TShownMainForm M;
    THydrostaticsWindow& H = M.Form.Hydrostatics();
    EXPECT_FALSE(H.isVisible());
    M.Apply();
    M.Form.Action(maHydrostatics).trigger();
    ASSERT_TRUE(H.isVisible());
    EXPECT_EQ(H.Message(), "");
    EXPECT_DOUBLE_EQ(H.Design().Draught, M.Editor().Parameters().Draught);
    const double Volume = H.Design().Volume;

    // An edit says the numbers wait for the next generation; the generation brings them.
    M.Editor().Form()->SpinEdit(103).SetValue(22);
    EXPECT_NE(H.Message(), "");
    M.Apply();
    EXPECT_EQ(H.Message(), "");
    EXPECT_NE(H.Design().Volume, Volume);

    // With Live on, every step is a generation.
    M.Editor().Form()->Live().setChecked(true);
    const double Before = H.Design().Volume;
    M.Editor().Form()->SpinEdit(103).SetValue(24);
    EXPECT_EQ(H.Message(), "");
    EXPECT_NE(H.Design().Volume, Before);
}
