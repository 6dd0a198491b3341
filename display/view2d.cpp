// The 2-D window mapping of a view stream and its extents.
#include "display/view2d.h"

#include "geometry/point.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

void TG2DView::Transform(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    if (X > FMaxX) FMaxX = X;
    if (Y > FMaxY) FMaxY = Y;
    if (X < FMinX) FMinX = X;
    if (Y < FMinY) FMinY = Y;
    // X, Y are projected already: a descendant's Project would project them again.
    TG2DView::Project(X, Y, Z, TX, TY, TZ);
}

bool TG2DView::WindowIsDegenerate() const {
    return FRightX - FLeftX == 0 || FBottomY - FTopY == 0;
}

bool TG2DView::CanInvert() const {
    // A zero pixel size would divide by zero; it is as unusable as a degenerate window.
    return !WindowIsDegenerate() && FWidth != 0 && FHeight != 0;
}

void TG2DView::Project(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    if (WindowIsDegenerate()) {
        TX = TY = TZ = 0;
        return;
    }
    TX = (X - FLeftX) / (FRightX - FLeftX) * FWidth;
    TY = (Y - FTopY) / (FBottomY - FTopY) * FHeight;
    TZ = Z;
}

void TG2DView::InverseTransform(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    if (!CanInvert()) return;
    TX = X / FWidth * (FRightX - FLeftX) + FLeftX;
    TY = Y / FHeight * (FBottomY - FTopY) + FTopY;
    TZ = Z;
}

void TG2DView::TransformInPlace(TRPoint& P) {
    Transform(P.X, P.Y, P.Z, P.X, P.Y, P.Z);
}

void TG2DView::TransformPolygon(TPolygon& Polygon) {
    TransformInPlace(Polygon.P1);
    TransformInPlace(Polygon.P2);
    TransformInPlace(Polygon.P3);
    if (auto* P4 = Polygon.P4()) TransformInPlace(*P4);
}

void TG2DView::TransformPoints(TRPoints& Points) {
    for (int i = 0; i < Points.Count(); ++i) TransformInPlace(Points.Point(i));
}

void TG2DView::ResetExtents() {
    FMaxX = FMaxY = -EmptyViewExtent;
    FMinX = FMinY = EmptyViewExtent;
}
