// TG2DView: a view stream that maps a world window onto a pixel rectangle and records the 2-D
// extents of everything drawn through it.
#pragma once

#include "display/viewstream.h"

class TG2DView : public TViewStream {
public:
    using TViewStream::TViewStream;

    void Transform(double X, double Y, double Z, double& TX, double& TY, double& TZ) override;
    // Leaves the outputs untouched while the window is degenerate.
    void InverseTransform(double X, double Y, double Z, double& TX, double& TY,
                          double& TZ) override;
    void TransformPolygon(TPolygon& Polygon) override;
    void TransformPoints(TRPoints& Points) override;
    void ResetExtents() override;

    virtual void SetLeftX(double Value) { FLeftX = Value; }
    virtual void SetRightX(double Value) { FRightX = Value; }
    virtual void SetTopY(double Value) { FTopY = Value; }
    virtual void SetBottomY(double Value) { FBottomY = Value; }
    virtual void SetHeight(std::int32_t Pixels) { FHeight = Pixels; }
    virtual void SetWidth(std::int32_t Pixels) { FWidth = Pixels; }

    // The window: the projected X at pixel columns 0 and Width, the projected Y at rows 0 and
    // Height.
    double LeftX() const { return FLeftX; }
    double RightX() const { return FRightX; }
    double TopY() const { return FTopY; }
    double BottomY() const { return FBottomY; }
    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }

    // The projected extents since the last ResetExtents; MaxX < MinX when nothing was seen.
    double MaxX() const { return FMaxX; }
    double MaxY() const { return FMaxY; }
    double MinX() const { return FMinX; }
    double MinY() const { return FMinY; }

protected:
    // The projected point to device units through the window.
    void Project(double X, double Y, double Z, double& TX, double& TY, double& TZ) override;
    bool WindowIsDegenerate() const;
    // Device points map back only through a window with extent and a pixel size.
    bool CanInvert() const;

private:
    double FMaxX = 0, FMaxY = 0, FMinX = 0, FMinY = 0;
    std::int32_t FWidth = 0, FHeight = 0;
    double FLeftX = 0, FTopY = 0, FRightX = 0, FBottomY = 0;

    void TransformInPlace(TRPoint& P);
};

// The value the extents take on ResetExtents: maxima at minus, minima at plus this.
inline constexpr double EmptyViewExtent = 1e32;
