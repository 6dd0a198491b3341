// TG3DView: a 2-D view preceded by a rotation about the centre of the drawn model and an optional
// perspective; it records the 3-D extents of every world point drawn through it.
#pragma once

#include "display/view2d.h"
#include "geometry/matrix.h"
#include "geometry/point.h"

#include <memory>

// The smallest perspective distance a view accepts.
inline constexpr double MinRho = 10;

class TG3DView : public TG2DView {
public:
    explicit TG3DView(TViewTarget* Target);
    explicit TG3DView(TGStream* Target);

    void Transform(double X, double Y, double Z, double& TX, double& TY, double& TZ) override;
    // Meaningful only in the plan, side and end views, where the answer lies in the model's
    // principal plane for that view; any other view answers the origin.
    void InverseTransform(double X, double Y, double Z, double& TX, double& TY,
                          double& TZ) override;
    // None when the line of sight runs parallel to the plane X = P.X.
    std::unique_ptr<TRPoint> DeviceToPlanePoint(TPixelPoint Pt, const TRPoint& P) override;
    void ResetExtents() override;
    // Rebuilds the rotation about the centre of the 3-D extents.
    void UpdateMatrix() override;

    // Degrees: the line of sight from +Z (0 looks straight down), the eye about Z.
    double Phi() const { return FPhi; }
    double Theta() const { return FTheta; }
    bool Perspective() const { return FPerspective; }
    double Rho() const { return FRho; }
    void SetPhi(double Degrees);
    void SetTheta(double Degrees);
    void SetPerspective(bool Value);
    // Values below MinRho are raised to it.
    void SetRho(double Value);
    // As SetRho without rebuilding the matrix, for the viewport while it fits its window.
    void StoreRho(double Value);

    const TMatrix& Matrix() const { return *FMatrix; }
    const TMatrix& InverseMatrix() const { return *FInverseMatrix; }
    // The world extents since the last ResetExtents (all 0 at creation).
    const TExtents& Extents3D() const { return FExtents; }

protected:
    void Project(double X, double Y, double Z, double& TX, double& TY, double& TZ) override;

private:
    double FPhi = 0;
    double FTheta = 270;
    bool FPerspective = false;
    double FRho = 50;
    TExtents FExtents{0, 0, 0, 0, 0, 0};
    std::unique_ptr<TMatrix> FMatrix;
    std::unique_ptr<TMatrix> FInverseMatrix;

    // The world point rotated (x', y', z') with the perspective applied to x' and y'.
    void Rotate(double X, double Y, double Z, double& PX, double& PY, double& PZ) const;
};
