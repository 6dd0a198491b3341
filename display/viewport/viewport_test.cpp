// The viewport controls: deferred redraw, window fitting, stepwise zoom, standard views and what
// reaches the off-screen image.
#include "display/viewport/viewport_test_util.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using T2D = TShownView<TCustomView2D>;
using T3D = TShownView<TView3D>;

TEST(ViewportRedraw, RequestsCoalesceIntoOneRedrawAfterAQuietPeriod) {
    T2D V;
    QElapsedTimer Clock;
    qint64 LastRequest = 0, RedrawAt = -1;
    V.View->OnRedraw = [&](QObject*, TGStream&) {
        ++V.Redraws;
        RedrawAt = Clock.elapsed();
    };
    // Sleep rather than wait between the requests: no timer tick can fall between them, so the
    // outcome does not hang on how busy the machine is.
    Clock.start();
    for (int i = 0; i < 3; ++i) {
        if (i > 0) QThread::msleep(20);
        LastRequest = Clock.elapsed();
        V.View->RequestRedraw();
    }
    QTest::qWait(600);
    EXPECT_EQ(V.Redraws, 1);
    // The first tick still sees the requests; only the next, a quiet period later, redraws.
    EXPECT_GE(RedrawAt - LastRequest, 100);
}

TEST(ViewportRedraw, LeftButtonHeldDefersRedraws) {
    T2D V;
    SendMouse(*V.View, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {10, 10});
    ASSERT_TRUE(V.View->MouseIsDown());
    V.View->RequestRedraw();
    QTest::qWait(400);
    EXPECT_EQ(V.Redraws, 0);
    SendMouse(*V.View, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {10, 10});
    QTest::qWait(400);
    EXPECT_EQ(V.Redraws, 1);
}

TEST(ViewportRedraw, ResizeAfterDrawingWhileHiddenRedraws) {
    T2D V;
    V.View->hide();
    V.View->DoRedraw(); // kept in the picture, which the resize then clears
    V.View->resize(240, 120);
    V.View->show();
    QTest::qWait(400);
    EXPECT_EQ(V.Redraws, 2);
    EXPECT_EQ(V.View->Canvas()->Image().size(), QSize(240, 120));
}

// The window up to the rounding of the rotation's sines and cosines.
void ExpectWindow(const TCustomView2D& View, const TViewWindow& Expected) {
    const TViewWindow W = View.Window();
    EXPECT_NEAR(W.LeftX, Expected.LeftX, 1e-12);
    EXPECT_NEAR(W.TopY, Expected.TopY, 1e-12);
    EXPECT_NEAR(W.RightX, Expected.RightX, 1e-12);
    EXPECT_NEAR(W.BottomY, Expected.BottomY, 1e-12);
}

TEST(ViewportFit, ExtentsWithMarginAtEqualScales) {
    T3D V; // plan view of the box: 100 x 40 on 200 x 100 pixels, width limits
    V.View->ZoomExtents();
    ExpectWindow(*V.View, {-54, 27, 54, -27});
    EXPECT_EQ(V.View->View().Width(), 200);
    EXPECT_EQ(V.View->View().Height(), 100);

    V.View->OnResize = [](QObject*, double& L, double& T, double& R, double& B) {
        L -= 1;
        T += 2;
        R += 3;
        B -= 4;
    };
    V.View->ZoomExtents();
    ExpectWindow(*V.View, {-51, 22, 53, -24}); // no margin
}

TEST(ViewportFit, NothingToFitLeavesTheWindow) {
    T2D V;
    V.View->ZoomExtents();
    const TViewWindow Before = V.View->Window();
    V.View->OnPreviewRedraw = [](QObject*, TGStream&) {};
    V.View->ZoomExtents();
    EXPECT_EQ(V.View->Window(), Before);
    V.View->OnPreviewRedraw = [](QObject*, TGStream& S) { S.Line(5, 0, 0, 5, 30, 0); };
    V.View->ZoomExtents();
    EXPECT_EQ(V.View->Window(), Before);
    V.View->OnPreviewRedraw = nullptr;
    V.View->ZoomExtents();
    EXPECT_EQ(V.View->Window(), Before);
}

TEST(ViewportZoom, InThenOutDoesNotCancel) {
    T2D V;
    V.View->ZoomExtents();
    const TViewWindow Before = V.View->Window();
    V.View->ZoomIn();
    V.View->ZoomOut();
    const TViewWindow After = V.View->Window();
    EXPECT_DOUBLE_EQ(After.RightX - After.LeftX, (Before.RightX - Before.LeftX) * 0.8 * 1.2);
    EXPECT_DOUBLE_EQ(After.LeftX + After.RightX, Before.LeftX + Before.RightX);
    EXPECT_EQ(V.Redraws, 2);
}

TEST(Viewport3D, StandardViewsAndCaptions) {
    T3D V;
    V.View->ViewStations();
    EXPECT_EQ(V.View->ViewKind(), vkEnd);
    EXPECT_EQ(V.View->Caption(), "Y/Z (Stations)");
    V.View->ViewButtocks();
    EXPECT_EQ(V.View->Caption(), "X/Z (Buttocks)");
    V.View->ViewWaterlines();
    EXPECT_EQ(V.View->Caption(), "X/Y (Waterlines)");
    V.View->SetShowAxis(false);
    EXPECT_EQ(V.View->Caption(), "(Waterlines)");
    V.View->View3D().SetTheta(270.4); // rounds to the plan
    EXPECT_EQ(V.View->ViewKind(), vkPlan);
    V.View->SetShowAxis(true);
    V.View->View3D().SetTheta(300);
    EXPECT_EQ(V.View->Caption(), "User");
    EXPECT_EQ(V.Redraws, 3);
}

TEST(Viewport3D, PerspectiveChangeRefitsWithRhoFromTheModel) {
    T3D V;
    V.View->SetPerspective(false);
    EXPECT_EQ(V.Redraws, 0);
    V.View->SetPerspective(true);
    EXPECT_EQ(V.Redraws, 1);
    EXPECT_DOUBLE_EQ(V.View->Rho(), 200); // twice the box's length
}

// The number of pixels of the image that are not the background.
int Drawn(const QImage& Image, QRect Area) {
    int n = 0;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            n += Image.pixelColor(x, y) != QColor(Qt::black);
    return n;
}

TEST(Viewport3D, RedrawShowsCaptionModelAndTripod) {
    T3D V;
    V.View->ZoomExtents();
    V.View->DoRedraw();
    const QImage Image = V.View->Canvas()->Image();
    EXPECT_GT(Drawn(Image, {2, 2, 60, 12}), 10);             // caption
    EXPECT_GT(Drawn(Image, {45, 0, 110, 100}), 50);          // box outline
    EXPECT_GT(Drawn(Image, {30, 20, 45, 50}), 30);           // tripod around (35, 65)
    EXPECT_EQ(Image.pixelColor(100, 50), QColor(Qt::black)); // inside the box
}

TEST(Viewport3D, RubberBandLeavesNoTrace) {
    T3D V;
    V.View->ZoomExtents();
    V.View->DoRedraw();
    const QImage Before = V.View->Canvas()->Image();
    V.View->SetModifyMode(mmZoomWindow);
    Drag(*V.View, {{20, 20}, {90, 60}, {150, 80}, {30, 60}}); // 10 x 40: ignored
    EXPECT_EQ(V.View->Canvas()->Image(), Before);
    EXPECT_EQ(V.Redraws, 1);
}

TEST(Viewport3D, PreviewDrawnAgainInTheBackgroundLeavesNoTrace) {
    T3D V;
    V.View->OnPreviewRedraw = nullptr; // the tripod alone, clear of the caption
    V.View->Clear();
    const QImage Before = V.View->Canvas()->Image();
    V.View->PreviewRedraw();
    ASSERT_NE(V.View->Canvas()->Image(), Before);
    V.View->SetLineColor(V.View->BackColor()); // erased as a rotate step erases
    V.View->PreviewRedraw();
    EXPECT_EQ(V.View->Canvas()->Image(), Before);
}

} // namespace
