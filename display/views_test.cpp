// The output and projection views: colour routing, window mapping, the three standard views,
// perspective, inverse mapping, extents, routing by target kind and the window fit.
#include "display/view3d.h"
#include "display/viewfit.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Records the device primitives a view hands to its viewport.
class TRecordingView : public TViewTarget {
public:
    std::vector<std::vector<double>> Lines, Circles, Markers;
    TColor Line = clWhite, Back = clBlack, Pen = clWhite;
    TCanvas* Canvas() override { return nullptr; }
    TColor LineColor() const override { return Line; }
    void SetLineColor(TColor Color) override { Line = Pen = Color; }
    TColor BackColor() const override { return Back; }
    void SetBackColor(TColor Color) override { Back = Color; }
    TColor PenColor() const override { return Pen; }
    void DrawLine(double X1, double Y1, double, double X2, double Y2, double) override {
        Lines.push_back({X1, Y1, X2, Y2});
    }
    void DrawCircle(double X, double Y, double R) override { Circles.push_back({X, Y, R}); }
    void DrawText(const std::string&, double, double) override {}
    void DrawPoints(const TRPoints&) override {}
    void DrawPolygon(const TPolygon&) override {}
    void DrawMarker(const TRPoint& P) override { Markers.push_back({P.X, P.Y}); }
    double TextWidth(const std::string& S) override { return 10.0 * S.size(); }
    double TextHeight(const std::string&) override { return 20; }
};

// A 200 x 200 pixel rectangle showing -10 .. 10 in both directions, Y up.
void SetSquareWindow(TG2DView& View) {
    SetWindow(View, {-10, 10, 10, -10}, 200, 200);
}

// Sets the angles with the rotation centred on the origin.
void SetAngles(TG3DView& View, double Theta, double Phi) {
    View.ResetExtents();
    View.SetTheta(Theta);
    View.SetPhi(Phi);
}

struct TDevice {
    double X, Y, Z;
};

TDevice Map(TGStream& View, double X, double Y, double Z) {
    TDevice D{};
    View.Transform(X, Y, Z, D.X, D.Y, D.Z);
    return D;
}

TRPoint Unmap(TGStream& View, double X, double Y) {
    TRPoint P(-1, -1, -1);
    View.InverseTransform(X, Y, 0, P.X, P.Y, P.Z);
    return P;
}

void ExpectPoint(const TRPoint& P, double X, double Y, double Z) {
    EXPECT_NEAR(P.X, X, 1e-9);
    EXPECT_NEAR(P.Y, Y, 1e-9);
    EXPECT_NEAR(P.Z, Z, 1e-9);
}

TEST(OutputStream, RoutesColoursByTargetKind) {
    TRecordingView View;
    View.Pen = 0x778899;
    TOutputStream ToView(&View);
    EXPECT_EQ(ToView.TargetKind(), tkView);
    EXPECT_EQ(ToView.GetColor(), 0x778899u);
    ToView.SetLineColor(0xFF);
    EXPECT_EQ(View.Line, 0xFFu);
    ToView.SetBackColor(0xAA);
    EXPECT_EQ(ToView.GetBackColor(), 0xAAu);

    TOutputStream Chained(static_cast<TGStream*>(&ToView));
    EXPECT_EQ(Chained.TargetKind(), tkStream);
    EXPECT_EQ(Chained.GetLineColor(), 0xFFu);
    Chained.SetLineColor(0x1234);
    EXPECT_EQ(View.Line, 0x1234u);

    TGStream Plain;
    Chained.SetTarget(&Plain);
    EXPECT_EQ(Chained.GetBackColor(), clBlack);

    ToView.Suspend();
    EXPECT_EQ(ToView.GetLineColor(), 0u);
    EXPECT_EQ(ToView.GetColor(), 0u);
    ToView.SetLineColor(0x55);
    EXPECT_EQ(View.Line, 0x1234u);
    ToView.Resume();
    EXPECT_EQ(ToView.GetLineColor(), 0x1234u);
}

TEST(G2DView, DegenerateWindowGivesOriginButExtentsGrow) {
    TGStream Sink;
    TG2DView View(&Sink);
    View.ResetExtents();
    const TDevice D = Map(View, 3, -4, 5);
    EXPECT_EQ(D.X, 0);
    EXPECT_EQ(D.Y, 0);
    EXPECT_EQ(D.Z, 0);
    EXPECT_EQ(View.MaxX(), 3);
    EXPECT_EQ(View.MinY(), -4);
    ExpectPoint(Unmap(View, 50, 50), -1, -1, -1);

    SetSquareWindow(View);
    const TDevice E = Map(View, 5, 5, 7);
    EXPECT_DOUBLE_EQ(E.X, 150);
    EXPECT_DOUBLE_EQ(E.Y, 50);
    EXPECT_EQ(E.Z, 7);
    ExpectPoint(Unmap(View, 150, 50), 5, 5, 0);
}

TEST(G3DView, StandardViewsMapAndInvertIntoTheirPlanes) {
    TGStream Sink;
    TG3DView View(&Sink);
    SetSquareWindow(View);

    // Plan (the default): X right, Y up, depth -Z.
    TDevice D = Map(View, 3, 4, 5);
    EXPECT_NEAR(D.X, 130, 1e-9);
    EXPECT_NEAR(D.Y, 60, 1e-9);
    EXPECT_NEAR(D.Z, -5, 1e-9);
    ExpectPoint(Unmap(View, D.X, D.Y), 3, 4, 0);

    SetAngles(View, 270, 90); // side view: X right, Z up
    D = Map(View, 3, 4, 5);
    EXPECT_NEAR(D.X, 130, 1e-9);
    EXPECT_NEAR(D.Y, 50, 1e-9);
    EXPECT_NEAR(D.Z, 4, 1e-9);
    ExpectPoint(Unmap(View, D.X, D.Y), 3, 0, 5);

    SetAngles(View, 0, 90); // end view: Y right, Z up
    D = Map(View, 3, 4, 5);
    EXPECT_NEAR(D.X, 140, 1e-9);
    EXPECT_NEAR(D.Y, 50, 1e-9);
    ExpectPoint(Unmap(View, D.X, D.Y), 0, 4, 5);
    const auto P = View.DeviceToPoint({140, 50});
    ExpectPoint(*P, 0, 4, 5);

    View.SetTheta(30); // no standard view: the origin
    ExpectPoint(Unmap(View, 140, 50), 0, 0, 0);
}

TEST(G3DView, RotationCentresOnTheMeasuredModel) {
    TGStream Sink;
    TG3DView View(&Sink);
    MeasureExtents(View, [](TGStream& S) { S.Line(10, 20, 30, 30, 40, 50); });
    EXPECT_EQ(View.Extents3D().MaxZ, 50);
    EXPECT_EQ(View.Extents3D().MinX, 10);
    View.SetTheta(123);
    View.SetPhi(47);
    double x, y, z;
    View.Transform(20, 30, 40, x, y, z);
    EXPECT_NEAR(z, 0, 1e-9); // degenerate window: (0, 0); the depth is that of the centre
    const TMatrix& M = View.Matrix();
    for (int r = 1; r <= 3; ++r)
        EXPECT_NEAR(M.Get(r, 1) * 20 + M.Get(r, 2) * 30 + M.Get(r, 3) * 40 + M.Get(r, 4), 0, 1e-9);
    // The inverse undoes the matrix.
    const auto Product = MatrixMultiply(View.InverseMatrix(), M);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c) EXPECT_NEAR(Product->Get(r, c), r == c ? 1 : 0, 1e-12);
}

TEST(G3DView, PerspectiveScalesAndStaysFiniteBehindTheEye) {
    TGStream Sink;
    TG3DView View(&Sink);
    SetWindow(View, {0, 0, 100, 100}, 100, 100); // device = projected coordinates
    View.SetPerspective(true);
    EXPECT_EQ(View.Rho(), 50);
    TDevice D = Map(View, 1, 2, 0); // z' = 0: scale 1000 / 50
    EXPECT_NEAR(D.X, 20, 1e-9);
    EXPECT_NEAR(D.Y, 40, 1e-9);
    EXPECT_NEAR(View.MaxX(), 20, 1e-9);

    D = Map(View, 1, 2, 60); // z' = -60: behind the eye
    EXPECT_TRUE(std::isfinite(D.X) && std::isfinite(D.Y));
    EXPECT_GT(D.X, 20);
    D = Map(View, 1, 2, 50); // z' + Rho = 0
    EXPECT_TRUE(std::isfinite(D.X) && D.X > 0);

    View.SetRho(5);
    EXPECT_EQ(View.Rho(), 10);
    View.StoreRho(-3);
    EXPECT_EQ(View.Rho(), 10);
}

TEST(G3DView, DeviceToPlanePoint) {
    TGStream Sink;
    TG3DView View(&Sink);
    SetSquareWindow(View);
    const TRPoint Plane(4, 0, 0);
    EXPECT_EQ(View.DeviceToPlanePoint({100, 100}, Plane), nullptr); // sight along Z
    View.SetPhi(90);
    EXPECT_EQ(View.DeviceToPlanePoint({100, 100}, Plane), nullptr); // sight along Y
    View.SetTheta(0);
    const auto P = View.DeviceToPlanePoint({140, 50}, Plane); // end view: sight along X
    ASSERT_NE(P, nullptr);
    ExpectPoint(*P, 4, 4, 5);
}

TEST(ViewStream, RoutesPrimitivesAndSwitchesOutput) {
    TRecordingView Target;
    TG3DView View(&Target);
    SetSquareWindow(View);
    View.ResetExtents();

    View.Circle(0, 0, 0, 2); // plan: 2 x 200 / 20 pixels
    ASSERT_EQ(Target.Circles.size(), 1u);
    EXPECT_NEAR(Target.Circles[0][2], 20, 1e-9);
    View.Circle(5, 5, 5, 2); // the radius is no part of the model's extents
    EXPECT_EQ(View.Extents3D().MinX, 0);
    EXPECT_EQ(View.Extents3D().MaxX, 5);

    SetAngles(View, 0, 90); // end view: X is the depth, so the radius vanishes
    View.Circle(0, 0, 0, 2);
    EXPECT_NEAR(Target.Circles[2][2], 0, 1e-9);

    View.Suspend();
    View.Line(0, 0, 0, 8, 8, 8);
    EXPECT_TRUE(Target.Lines.empty());
    EXPECT_EQ(View.Extents3D().MaxY, 8);
    View.Resume();
    View.Line(0, 0, 0, 1, 1, 1);
    EXPECT_EQ(Target.Lines.size(), 1u);

    View.Marker(TRPoint(0, 1, 1));
    ASSERT_EQ(Target.Markers.size(), 1u);
    EXPECT_EQ(Target.Markers[0][0], 110);
    EXPECT_EQ(Target.Markers[0][1], 90);

    TGStream Sink;
    View.SetTarget(&Sink);
    View.Marker(TRPoint(0, 1, 1));
    EXPECT_EQ(Target.Markers.size(), 1u);
    View.Suspend();
    View.Resume(); // back to the stream it was last pointed at
    EXPECT_EQ(View.TargetKind(), tkStream);
}

TEST(ViewStream, TextMeasuresInWorldUnits) {
    TRecordingView Target;
    TG3DView View(&Target);
    SetSquareWindow(View);
    EXPECT_NEAR(View.TextHeight("ab"), 2, 1e-9); // 20 pixels at 10 pixels per unit
    EXPECT_NEAR(View.TextWidth("ab"), 2, 1e-9);
    View.SetTheta(30); // no standard view: no inverse, so no size
    EXPECT_EQ(View.TextHeight("ab"), 0);
}

TEST(ViewFit, EightPercentMarginAtEqualScales) {
    TGStream Sink;
    TG2DView View(&Sink);
    EXPECT_FALSE(FittedWindow(View, 200, 200)); // created without extents

    MeasureExtents(View, [](TGStream& S) { S.Line(0, 0, 0, 100, 50, 0); });
    auto W = FittedWindow(View, 200, 200); // width limits
    ASSERT_TRUE(W);
    EXPECT_DOUBLE_EQ(W->LeftX, -4);
    EXPECT_DOUBLE_EQ(W->RightX, 104);
    EXPECT_DOUBLE_EQ(W->TopY, 79);
    EXPECT_DOUBLE_EQ(W->BottomY, -29);

    MeasureExtents(View, [](TGStream& S) { S.Line(0, 0, 0, 10, 100, 0); });
    W = FittedWindow(View, 200, 100); // height limits
    ASSERT_TRUE(W);
    EXPECT_DOUBLE_EQ(W->TopY, 104);
    EXPECT_DOUBLE_EQ(W->BottomY, -4);
    EXPECT_DOUBLE_EQ((W->RightX - W->LeftX) / 200, (W->TopY - W->BottomY) / 100);
    EXPECT_DOUBLE_EQ(W->LeftX + W->RightX, 10);

    EXPECT_FALSE(FittedWindow(View, 0, 100));
    MeasureExtents(View, [](TGStream& S) { S.Line(3, 0, 0, 3, 100, 0); });
    EXPECT_FALSE(FittedWindow(View, 200, 100));
    MeasureExtents(View, [](TGStream&) {});
    EXPECT_FALSE(FittedWindow(View, 200, 100));
}

TEST(ViewFit, SheetFitFollowsTheRecentredRotation) {
    TGStream Sink;
    TG3DView View(&Sink);
    View.SetPhi(90); // side view of a box far from the origin
    const auto Box = [](TGStream& S) { S.Line(100, 0, 50, 200, 10, 70); };
    ASSERT_TRUE(FitViewToDrawing(View, Box, 216, 100));
    double x, y, z;
    View.Transform(100, 0, 50, x, y, z);
    EXPECT_NEAR(x, 8, 1e-9); // a margin of 4 units at 2 pixels per unit
    View.Transform(150, 5, 60, x, y, z);
    EXPECT_NEAR(x, 108, 1e-9); // the box's centre at the sheet's centre
    EXPECT_NEAR(y, 50, 1e-9);
    EXPECT_FALSE(FitViewToDrawing(
        View, [](TGStream&) {}, 216, 100));
}

} // namespace
