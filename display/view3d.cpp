// The rotation and perspective of the 3-D view, its inverse in the standard views, and the
// 3-D extents that centre the rotation on the model.
#include "display/view3d.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Points at or behind the eye have no perspective image; they are taken to lie this fraction of
// Rho in front of it, which keeps their image finite and on the side they came from.
constexpr double NearestPerspectiveDepth = 0.01;
// A line of sight whose X component is below this is taken as parallel to a plane X = const.
constexpr double ParallelTolerance = 1e-9;

double Radians(double Degrees) {
    return Degrees * std::numbers::pi / 180;
}

std::unique_ptr<TMatrix> Translation(double DX, double DY, double DZ) {
    auto T = std::make_unique<TMatrix>(4, 4);
    T->Set(1, 4, DX);
    T->Set(2, 4, DY);
    T->Set(3, 4, DZ);
    return T;
}

std::unique_ptr<TMatrix> ViewRotation(double Theta, double Phi) {
    const double st = std::sin(Theta), ct = std::cos(Theta);
    const double sp = std::sin(Phi), cp = std::cos(Phi);
    const double Rows[3][3] = {{-st, ct, 0}, {-ct * cp, -st * cp, sp}, {-ct * sp, -st * sp, -cp}};
    auto R = std::make_unique<TMatrix>(4, 4);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) R->Set(r + 1, c + 1, Rows[r][c]);
    return R;
}

// Rows 1 to 3 of a 4 x 4 matrix applied to (X, Y, Z, 1).
void Apply(const TMatrix& M, double X, double Y, double Z, double& RX, double& RY, double& RZ) {
    double Out[3];
    for (int r = 1; r <= 3; ++r)
        Out[r - 1] = M.Get(r, 1) * X + M.Get(r, 2) * Y + M.Get(r, 3) * Z + M.Get(r, 4);
    RX = Out[0];
    RY = Out[1];
    RZ = Out[2];
}

} // namespace

TG3DView::TG3DView(TViewTarget* Target) : TG2DView(Target) {
    UpdateMatrix();
}

TG3DView::TG3DView(TGStream* Target) : TG2DView(Target) {
    UpdateMatrix();
}

void TG3DView::UpdateMatrix() {
    const TExtents& E = FExtents;
    const double CX = (E.MaxX + E.MinX) / 2, CY = (E.MaxY + E.MinY) / 2, CZ = (E.MaxZ + E.MinZ) / 2;
    const auto R = ViewRotation(Radians(FTheta), Radians(FPhi));
    FMatrix = MatrixMultiply(*R, *Translation(-CX, -CY, -CZ));
    // R is orthonormal, so the inverse is exact: back-translation after the transpose.
    FInverseMatrix = MatrixMultiply(*Translation(CX, CY, CZ), *MatrixTranspose(*R));
}

void TG3DView::Rotate(double X, double Y, double Z, double& PX, double& PY, double& PZ) const {
    Apply(*FMatrix, X, Y, Z, PX, PY, PZ);
    if (!FPerspective) return;
    const double Depth = std::max(PZ + FRho, FRho * NearestPerspectiveDepth);
    PX = PX * 1000 / Depth;
    PY = PY * 1000 / Depth;
}

void TG3DView::Transform(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    IncludeInExtents(FExtents, TRPoint(X, Y, Z));
    double PX, PY, PZ;
    Rotate(X, Y, Z, PX, PY, PZ);
    TG2DView::Transform(PX, PY, PZ, TX, TY, TZ);
}

void TG3DView::Project(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    double PX, PY, PZ;
    Rotate(X, Y, Z, PX, PY, PZ);
    TG2DView::Project(PX, PY, PZ, TX, TY, TZ);
}

void TG3DView::InverseTransform(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    if (!CanInvert()) return;
    double PX, PY, PZ;
    TG2DView::InverseTransform(X, Y, Z, PX, PY, PZ);
    Apply(*FInverseMatrix, PX, PY, PZ, TX, TY, TZ);
    if (FTheta == 270 && FPhi == 0)
        TZ = 0;
    else if (FTheta == 270 && FPhi == 90)
        TY = 0;
    else if (FTheta == 0 && FPhi == 90)
        TX = 0;
    else
        TX = TY = TZ = 0;
}

std::unique_ptr<TRPoint> TG3DView::DeviceToPlanePoint(TPixelPoint Pt, const TRPoint& P) {
    auto Q = DeviceToPoint(Pt);
    const double DX = FInverseMatrix->Get(1, 3);
    const double DY = FInverseMatrix->Get(2, 3);
    const double DZ = FInverseMatrix->Get(3, 3);
    if (std::abs(DX) < ParallelTolerance) return nullptr;
    const double t = (P.X - Q->X) / DX;
    Q->SetXYZ(Q->X + t * DX, Q->Y + t * DY, Q->Z + t * DZ);
    return Q;
}

void TG3DView::ResetExtents() {
    FExtents = TExtents{-EmptyViewExtent, -EmptyViewExtent, -EmptyViewExtent,
                        EmptyViewExtent,  EmptyViewExtent,  EmptyViewExtent};
    TG2DView::ResetExtents();
}

void TG3DView::SetPhi(double Degrees) {
    FPhi = Degrees;
    UpdateMatrix();
}

void TG3DView::SetTheta(double Degrees) {
    FTheta = Degrees;
    UpdateMatrix();
}

void TG3DView::SetPerspective(bool Value) {
    FPerspective = Value;
    UpdateMatrix();
}

void TG3DView::SetRho(double Value) {
    StoreRho(Value);
    UpdateMatrix();
}

void TG3DView::StoreRho(double Value) {
    FRho = std::max(Value, MinRho);
}
