// TView3D: the 3-D viewport. It owns a rotating view, offers the three standard orthographic
// views and perspective, writes a caption naming the view, draws an axis tripod and rotates the
// model with the mouse.
#pragma once

#include "display/view3d.h"
#include "display/viewport/customview2d.h"

#include <string>

enum TViewKind { vkPlan, vkEnd, vkSide, vkUser };

class TView3D : public TCustomView2D {
public:
    explicit TView3D(QWidget* Parent = nullptr);

    TG3DView& View3D() const { return *FView3D; }
    bool ShowAxis() const { return FShowAxis; }
    void SetShowAxis(bool Value) { FShowAxis = Value; }
    bool ShowShipView() const { return FShowShipView; }
    void SetShowShipView(bool Value) { FShowShipView = Value; }
    bool ShowTripod() const { return FShowTripod; }
    void SetShowTripod(bool Value) { FShowTripod = Value; }
    bool Perspective() const { return FView3D->Perspective(); }
    // A change refits the view.
    void SetPerspective(bool Value);
    double Rho() const { return FView3D->Rho(); }
    void SetRho(double Value) { FView3D->SetRho(Value); }

    void SetModifyMode(TModifyMode Mode) override;
    // The background, then the caption.
    void Clear() override;
    void Redraw() override;
    void PreviewRedraw() override;
    // The inherited fit; with perspective, Rho follows the model's size; then a final fit.
    void ZoomExtents() override;

    void ViewWaterlines();
    void ViewStations();
    void ViewButtocks();
    // The standard view the angles show, each rounded to whole degrees.
    TViewKind ViewKind() const;
    // "X/Y (Waterlines)", "Y/Z (Stations)", "X/Z (Buttocks)" or "User", as the Show flags allow.
    std::string Caption() const;

protected:
    void MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TG3DView* FView3D; // owned as the control's view
    bool FShowAxis = true;
    bool FShowShipView = true;
    bool FShowTripod = true;
    double FStartX = 0, FStartY = 0;
    double FTheta0 = 0, FPhi0 = 0;

    void SetStandardView(double Phi, double Theta);
    // Only while the view draws on this control: not while measuring or printing.
    void DrawTripod();
    void StartRotate(int X, int Y);
    void MoveRotate(int X, int Y);
};
