// The abstract drawing target through which every object of the model draws itself, in world
// coordinates. Its operations do nothing or answer neutral values, so a stream overrides only
// what its device supports.
#pragma once

#include "geometry/color.h"

#include <cstdint>
#include <memory>
#include <string>

class TPolygon;
class TRPoint;
class TRPoints;
// The drawing surface of a device; only the platform layer knows what it is.
class TCanvas;

// How lines are stroked on devices that draw sheets (paper, files); a screen draws them solid.
enum TLineStyle : std::uint8_t { lsSolid, lsDashed, lsDashDot, lsDotted };

// Which point of a text Text places at the given position.
enum THorizontalAnchor : std::uint8_t { haLeft, haCentre, haRight };
enum TVerticalAnchor : std::uint8_t { vaTop, vaMiddle, vaBaseline, vaBottom };

// The text of a sheet: its height in device units (0: the device's own font size), its
// anchor, and the angle of its baseline in degrees, counter-clockwise from the device's x axis.
struct TTextStyle {
    double Size = 0;
    THorizontalAnchor Horizontal = haLeft;
    TVerticalAnchor Vertical = vaTop;
    double Angle = 0;
    bool Bold = false;
};

// A device pixel: x to the right, y downwards, origin at the top-left of the drawing area.
struct TPixelPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TPixelPoint&) const = default;
};

class TGStream {
public:
    TGStream() = default;
    TGStream(const TGStream&) = delete;
    TGStream& operator=(const TGStream&) = delete;
    virtual ~TGStream() = default;

    virtual TCanvas* GetCanvas() { return nullptr; }
    virtual TColor GetLineColor() const { return clWhite; }
    // The colour the output's pen has at this moment.
    virtual TColor GetColor() const { return clWhite; }
    virtual TColor GetBackColor() const { return clBlack; }
    virtual void SetLineColor(TColor) {}
    virtual void SetBackColor(TColor) {}
    // World point to device point (TZ carries the depth), and back; outputs untouched here.
    virtual void Transform(double X, double Y, double Z, double& TX, double& TY, double& TZ);
    virtual void InverseTransform(double X, double Y, double Z, double& TX, double& TY, double& TZ);
    virtual void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2);
    // The radius is a world length measured along X.
    virtual void Circle(double X, double Y, double Z, double Radius);
    virtual void DrawPolygon(const TPolygon& Polygon);
    virtual void DrawPoints(const TRPoints& Points);
    // The pen of the following lines on a sheet: its width in device units (0: the device's
    // thinnest) and its style. A screen ignores both.
    virtual void SetPen(double Width, TLineStyle Style);
    // The size, anchor and angle of the following texts; the default style puts the top-left
    // corner of an upright text at the point, as a screen does.
    virtual void SetTextStyle(const TTextStyle& Style);
    // The kind of the lines and texts that follow ("STATIONS", "LABELS"): devices that keep kinds
    // apart, as the layers of a DXF file do, use it; the others ignore it.
    virtual void SetLayer(const std::string& Name);
    // S with its anchor (by default its top-left corner) at the device image of the world point.
    virtual void Text(const std::string& S, double X, double Y, double Z);
    virtual double TextHeight(const std::string& S);
    virtual double TextWidth(const std::string& S);
    // A small circle of 5 pixels radius around the device image of P.
    virtual void Marker(const TRPoint& P);
    // The world point under the pixel at depth 0; none here.
    virtual std::unique_ptr<TRPoint> DeviceToPoint(TPixelPoint Pt);
    // The world point under the pixel in the plane X = P.X; none here.
    virtual std::unique_ptr<TRPoint> DeviceToPlanePoint(TPixelPoint Pt, const TRPoint& P);
    // The device image of P, rounded to the nearest pixel; (0, 0) here.
    virtual TPixelPoint PointToDevice(const TRPoint& P);
};
