// The common base of the view streams: it holds the output target (a viewport or another stream),
// switches output off and on, and routes the colour, pen and text style operations to the target.
// TViewTarget is what a viewport offers a stream: its colours and its device-level drawing.
#pragma once

#include "geometry/gstream.h"

#include <cstdint>
#include <string>

// The device side of a viewport (a window widget, a printer page, an SVG writer). All
// coordinates are device units; the target rounds them to its pixels.
class TViewTarget {
public:
    virtual ~TViewTarget() = default;

    virtual TCanvas* Canvas() = 0;
    virtual TColor LineColor() const = 0;
    // Also sets the pen colour.
    virtual void SetLineColor(TColor Color) = 0;
    virtual TColor BackColor() const = 0;
    // Also sets the brush and background colour.
    virtual void SetBackColor(TColor Color) = 0;
    // The colour the pen has at this moment.
    virtual TColor PenColor() const = 0;

    virtual void DrawLine(double X1, double Y1, double Z1, double X2, double Y2, double Z2) = 0;
    virtual void DrawCircle(double X, double Y, double Radius) = 0;
    // S with its top-left corner at (X, Y).
    virtual void DrawText(const std::string& S, double X, double Y) = 0;
    // An open line through the points, or a filled polygon when the list is Filled; the list's
    // own colours when UseColors.
    virtual void DrawPoints(const TRPoints& Points) = 0;
    virtual void DrawPolygon(const TPolygon& Polygon) = 0;
    // A circle of 5 pixels radius around (P.X, P.Y).
    virtual void DrawMarker(const TRPoint& P) = 0;
    // The size of S on the device, in pixels.
    virtual double TextWidth(const std::string& S) = 0;
    virtual double TextHeight(const std::string& S) = 0;
};

enum TTargetKind : std::uint8_t { tkView = 0, tkStream = 1, tkNone = 2 };

class TOutputStream : public TGStream {
public:
    explicit TOutputStream(TViewTarget* Target) { SetTarget(Target); }
    explicit TOutputStream(TGStream* Target) { SetTarget(Target); }

    // Also ends a Suspend.
    void SetTarget(TViewTarget* Target);
    void SetTarget(TGStream* Target);
    // Output off (tkNone; every point still passes Transform) and back on to the target.
    void Suspend() { FSuspended = true; }
    void Resume() { FSuspended = false; }

    TTargetKind TargetKind() const { return FSuspended ? tkNone : FKind; }
    // The target of its kind, or null.
    TViewTarget* ViewTarget() const { return TargetKind() == tkView ? FView : nullptr; }
    TGStream* StreamTarget() const { return TargetKind() == tkStream ? FStream : nullptr; }

    TColor GetLineColor() const override;
    TColor GetColor() const override;
    TColor GetBackColor() const override;
    void SetLineColor(TColor Color) override;
    void SetBackColor(TColor Color) override;
    // Passed on to a target stream (a sheet device); a viewport draws solid lines in its own font.
    void SetPen(double Width, TLineStyle Style) override;
    void SetTextStyle(const TTextStyle& Style) override;

private:
    TViewTarget* FView = nullptr;
    TGStream* FStream = nullptr;
    TTargetKind FKind = tkNone;
    bool FSuspended = false;
};
