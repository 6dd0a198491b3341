// TViewStream, the base of the projection views: it maps every world point through its transform
// (the identity here) and hands the projected primitive to its viewport or its target stream.
#pragma once

#include "display/outputstream.h"

#include <cstdint>

// Device coordinate to the nearest pixel, held within the 32-bit range.
std::int32_t RoundPixel(double V);

class TViewStream : public TOutputStream {
public:
    using TOutputStream::TOutputStream;

    TCanvas* GetCanvas() override;
    void Transform(double X, double Y, double Z, double& TX, double& TY, double& TZ) override;
    void InverseTransform(double X, double Y, double Z, double& TX, double& TY,
                          double& TZ) override;
    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void Circle(double X, double Y, double Z, double Radius) override;
    void DrawPolygon(const TPolygon& Polygon) override;
    void DrawPoints(const TRPoints& Points) override;
    void Text(const std::string& S, double X, double Y, double Z) override;
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;
    void Marker(const TRPoint& P) override;
    std::unique_ptr<TRPoint> DeviceToPoint(TPixelPoint Pt) override;
    TPixelPoint PointToDevice(const TRPoint& P) override;

    virtual void TransformPolygon(TPolygon& Polygon);
    virtual void TransformPoints(TRPoints& Points);
    virtual void ResetExtents() {}
    virtual void UpdateMatrix() {}

protected:
    // Transform without recording the point in the extents, for lengths that are not part of
    // the model (a circle's radius).
    virtual void Project(double X, double Y, double Z, double& TX, double& TY, double& TZ);

private:
    // A text measure of DeviceSize device units, vertical or horizontal, as a world length.
    double WorldTextSize(double DeviceSize, bool Vertical);
};
