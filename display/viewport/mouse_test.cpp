// Mouse interaction of the viewport: pan, zoom, zoom window, drag box, rotate, and the platform
// events that only the user mode passes on.
#include "display/viewport/viewport_test_util.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using T3D = TShownView<TView3D>;

struct TFitted : T3D {
    TFitted() { View->ZoomExtents(); }
};

TEST(ViewportMouse, PanMovesTheModelWithThePointer) {
    TFitted V;
    V.View->SetModifyMode(mmPan);
    const auto Before = V.View->View().DeviceToPoint({50, 40});
    Drag(*V.View, {{50, 40}, {70, 45}, {90, 60}});
    const auto After = V.View->View().DeviceToPoint({90, 60});
    EXPECT_NEAR(After->X, Before->X, 1e-9);
    EXPECT_NEAR(After->Y, Before->Y, 1e-9);
    EXPECT_EQ(V.Redraws, 1);
}

TEST(ViewportMouse, ZoomDragBackToItsStartRowRestoresTheWindow) {
    TFitted V;
    V.View->SetModifyMode(mmZoom);
    const TViewWindow Before = V.View->Window();
    Drag(*V.View, {{60, 50}, {60, 20}, {70, 90}, {80, 50}});
    EXPECT_EQ(V.View->Window(), Before);

    // Up by a fifth of the height halves the window about the world point under the pointer.
    const auto Anchor = V.View->View().DeviceToPoint({60, 50});
    Drag(*V.View, {{60, 50}, {60, 30}});
    const TViewWindow Half = V.View->Window();
    EXPECT_DOUBLE_EQ(Half.RightX - Half.LeftX, (Before.RightX - Before.LeftX) / 2);
    const auto Still = V.View->View().DeviceToPoint({60, 50});
    EXPECT_NEAR(Still->X, Anchor->X, 1e-9);
}

TEST(ViewportMouse, ZoomWindowNeedsMoreThanTenPixelsEachWay) {
    TFitted V;
    V.View->SetModifyMode(mmZoomWindow);
    const TViewWindow Before = V.View->Window();
    Drag(*V.View, {{20, 20}, {30, 60}});
    EXPECT_EQ(V.View->Window(), Before);
    EXPECT_EQ(V.Redraws, 0);

    Drag(*V.View, {{20, 20}, {31, 31}});
    const TViewWindow After = V.View->Window();
    EXPECT_EQ(V.Redraws, 1);
    const double Height = After.TopY - After.BottomY;
    EXPECT_DOUBLE_EQ(Height, (Before.TopY - Before.BottomY) * 11 / 100);
    EXPECT_DOUBLE_EQ((After.RightX - After.LeftX) / Height,
                     (Before.RightX - Before.LeftX) / (Before.TopY - Before.BottomY));
}

TEST(ViewportMouse, DragBoxIsReportedOrderedAndLeavesTheView) {
    TFitted V;
    V.View->SetModifyMode(mmDragBox);
    TPixelRect Reported;
    TShiftState Shift;
    V.View->OnDragBox = [&](QObject*, TPixelRect R, TShiftState S) {
        Reported = R;
        Shift = S;
    };
    const TViewWindow Before = V.View->Window();
    Drag(*V.View, {{150, 80}, {100, 60}, {40, 30}}, Qt::ShiftModifier);
    EXPECT_EQ(Reported, (TPixelRect{40, 30, 150, 80}));
    EXPECT_TRUE(Shift.Modifiers.testFlag(Qt::ShiftModifier));
    EXPECT_EQ(V.View->Window(), Before);
    EXPECT_EQ(V.Redraws, 0);
}

TEST(ViewportMouse, RotateRightByHalfTheWidthTurnsNinetyDegrees) {
    TFitted V;
    V.View->SetModifyMode(mmRotate);
    Drag(*V.View, {{50, 50}, {100, 50}, {150, 50}});
    EXPECT_DOUBLE_EQ(V.View->View3D().Theta(), 180);
    EXPECT_DOUBLE_EQ(V.View->View3D().Phi(), 0);
    EXPECT_EQ(V.View->Caption(), "User");
    EXPECT_EQ(V.View->LineColor(), clWhite);
    EXPECT_EQ(V.Redraws, 1);
}

TEST(ViewportMouse, DragWhoseReleaseIsLostEndsWhereThePointerWas) {
    TFitted V;
    V.View->SetModifyMode(mmRotate);
    SendMouse(*V.View, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {50, 50});
    SendMouse(*V.View, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {150, 50});
    V.View->setEnabled(false); // as a dialog taking the release would
    EXPECT_FALSE(V.View->MouseIsDown());
    EXPECT_EQ(V.Redraws, 1);

    V.View->setEnabled(true);
    V.View->SetModifyMode(mmZoomWindow);
    SendMouse(*V.View, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {20, 20});
    SendMouse(*V.View, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {60, 60});
    V.View->hide();
    EXPECT_EQ(V.Redraws, 2); // zoomed to the band
    EXPECT_EQ(V.View->Canvas()->PenMode(), pmCopy);

    // A window unmapped under the pointer takes the release along without hiding the control:
    // the next move with the button up, or the next press, ends the drag.
    V.View->show();
    V.View->SetModifyMode(mmRotate);
    SendMouse(*V.View, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {50, 50});
    SendMouse(*V.View, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {100, 50});
    SendMouse(*V.View, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {190, 90});
    EXPECT_FALSE(V.View->MouseIsDown());
    EXPECT_EQ(V.Redraws, 3);
    EXPECT_DOUBLE_EQ(V.View->View3D().Theta(), 135);

    V.View->SetModifyMode(mmDragBox);
    std::vector<TPixelRect> Boxes;
    V.View->OnDragBox = [&](QObject*, TPixelRect R, TShiftState) { Boxes.push_back(R); };
    SendMouse(*V.View, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {20, 20});
    SendMouse(*V.View, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {60, 40});
    Drag(*V.View, {{100, 80}, {120, 90}});
    EXPECT_EQ(Boxes, (std::vector<TPixelRect>{{20, 20, 60, 40}, {100, 80, 120, 90}}));
}

TEST(ViewportMouse, RightButtonDragDoesNothing) {
    TFitted V;
    const TViewWindow Before = V.View->Window();
    for (const TModifyMode Mode : {mmPan, mmZoom, mmRotate, mmZoomWindow}) {
        V.View->SetModifyMode(Mode);
        SendMouse(*V.View, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {10, 10});
        SendMouse(*V.View, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {90, 90});
        SendMouse(*V.View, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {90, 90});
    }
    EXPECT_EQ(V.View->Window(), Before);
    EXPECT_EQ(V.View->View3D().Theta(), 270);
    EXPECT_EQ(V.Redraws, 0);
}

TEST(ViewportMouse, NoDragOnAControlWithoutDrawingArea) {
    TFitted V;
    V.View->SetBorderStyle(bsSingle);
    V.View->resize(2, 2); // all border
    ASSERT_TRUE(V.View->contentsRect().isEmpty());
    const TViewWindow Before = V.View->Window();
    for (const TModifyMode Mode : {mmPan, mmZoom, mmRotate, mmZoomWindow}) {
        V.View->SetModifyMode(Mode);
        Drag(*V.View, {{0, 0}, {1, 1}, {0, 1}});
    }
    EXPECT_EQ(V.View->Window(), Before);
    EXPECT_EQ(V.View->View3D().Theta(), 270);
    EXPECT_EQ(V.View->View3D().Phi(), 0);
}

TEST(ViewportMouse, PlatformEventsOnlyInUserMode) {
    TFitted V;
    int Events = 0;
    V.View->OnMouseDown = [&](QObject*, Qt::MouseButton, TShiftState, int, int) { ++Events; };
    V.View->OnMouseMove = [&](QObject*, TShiftState, int, int) { ++Events; };
    V.View->OnMouseUp = [&](QObject*, Qt::MouseButton, TShiftState, int, int) { ++Events; };
    V.View->SetModifyMode(mmUser);
    Drag(*V.View, {{10, 10}, {20, 20}});
    EXPECT_EQ(Events, 3);
    for (const TModifyMode Mode : {mmNone, mmPan, mmRotate, mmDragBox, mmPick}) {
        V.View->SetModifyMode(Mode);
        Drag(*V.View, {{10, 10}, {20, 20}});
    }
    EXPECT_EQ(Events, 3);
}

} // namespace
