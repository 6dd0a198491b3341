// The 3-D viewport: standard views, caption, tripod, perspective fit and mouse rotation.
#include "display/viewport/view3dcontrol.h"

#include "display/viewport/cursors.h"

#include <algorithm>
#include <cmath>

namespace {

// Tripod geometry in pixels: the origin's distance from the lower-left corner, the axis length.
constexpr int TripodMargin = 35;
constexpr double AxisLength = 40;
constexpr int TripodFontSize = 8;

} // namespace

TView3D::TView3D(QWidget* Parent) : TCustomView2D(Parent) {
    auto View = std::make_unique<TG3DView>(static_cast<TViewTarget*>(this));
    FView3D = View.get();
    SetView(std::move(View));
}

void TView3D::SetModifyMode(TModifyMode Mode) {
    if (Mode == mmRotate) setCursor(KeelvaneCursor(crRotate));
    TCustomView2D::SetModifyMode(Mode);
}

void TView3D::SetPerspective(bool Value) {
    if (Value == FView3D->Perspective()) return;
    FView3D->SetPerspective(Value);
    ZoomAll();
}

TViewKind TView3D::ViewKind() const {
    const long Phi = std::lround(FView3D->Phi()), Theta = std::lround(FView3D->Theta());
    if (Phi == 0 && Theta == 270) return vkPlan;
    if (Phi == 90 && Theta == 0) return vkEnd;
    if (Phi == 90 && Theta == 270) return vkSide;
    return vkUser;
}

std::string TView3D::Caption() const {
    static const char* const Axes[] = {"X/Y ", "Y/Z ", "X/Z ", "User"};
    static const char* const ShipViews[] = {"(Waterlines)", "(Stations)", "(Buttocks)", ""};
    const TViewKind Kind = ViewKind();
    std::string S;
    if (FShowAxis) S += Axes[Kind];
    if (FShowShipView) S += ShipViews[Kind];
    return S;
}

void TView3D::Clear() {
    TCustomView2D::Clear();
    if (!FShowAxis && !FShowShipView) return;
    Canvas()->SetFontColor(LineColor());
    Canvas()->TextOut(4, 4, Caption());
}

void TView3D::Redraw() {
    TCustomView2D::Redraw();
    DrawTripod();
}

void TView3D::PreviewRedraw() {
    TCustomView2D::PreviewRedraw();
    DrawTripod();
}

void TView3D::DrawTripod() {
    if (!FShowTripod || FView3D->ViewTarget() != this) return;
    TCanvas& C = *Canvas();
    const TColor OldFontColor = C.FontColor();
    C.SetFontSize(TripodFontSize);
    C.SetFontColor(LineColor());
    const TMatrix& M = FView3D->Matrix();
    const int H = ClientHeight();
    auto Pixel = [&](double x, double y, double z) {
        const double px = M.Get(1, 1) * x + M.Get(1, 2) * y + M.Get(1, 3) * z;
        const double py = M.Get(2, 1) * x + M.Get(2, 2) * y + M.Get(2, 3) * z;
        return QPoint(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
    };
    auto Line = [&](QPoint a, QPoint b) {
        C.Line(TripodMargin + a.x(), H - TripodMargin - a.y(), TripodMargin + b.x(),
               H - TripodMargin - b.y());
    };
    const double L = AxisLength, h = L - 5, s = 3;
    const struct {
        const char* Label;
        double Tip[3];
        double Heads[4][3];
    } Axes[] = {
        {"x", {L, 0, 0}, {{h, s, 0}, {h, -s, 0}, {h, 0, s}, {h, 0, -s}}},
        {"y", {0, L, 0}, {{s, h, 0}, {-s, h, 0}, {0, h, s}, {0, h, -s}}},
        {"z", {0, 0, L}, {{s, 0, h}, {-s, 0, h}, {0, s, h}, {0, -s, h}}},
    };
    for (const auto& Axis : Axes) {
        const QPoint Tip = Pixel(Axis.Tip[0], Axis.Tip[1], Axis.Tip[2]);
        C.TextOut(TripodMargin + 3 + Tip.x(), H - TripodMargin - 8 - Tip.y(), Axis.Label);
    }
    for (const auto& Axis : Axes) {
        const QPoint Tip = Pixel(Axis.Tip[0], Axis.Tip[1], Axis.Tip[2]);
        Line({0, 0}, Tip);
        for (const auto& Head : Axis.Heads) Line(Tip, Pixel(Head[0], Head[1], Head[2]));
    }
    C.SetFontColor(OldFontColor);
}

void TView3D::ZoomExtents() {
    TCustomView2D::ZoomExtents();
    if (FView3D->Perspective()) {
        MeasureExtents(*FView3D, [this](TGStream&) { PreviewRedraw(); });
        const TExtents& E = FView3D->Extents3D();
        // A model without points has no size to take Rho from.
        if (E.MaxX >= E.MinX)
            FView3D->StoreRho(2 * std::max({E.MaxX - E.MinX, E.MaxY - E.MinY, E.MaxZ - E.MinZ}));
    }
    TCustomView2D::ZoomExtents();
}

void TView3D::SetStandardView(double Phi, double Theta) {
    FView3D->SetPhi(Phi);
    FView3D->SetTheta(Theta);
    ZoomAll();
}

void TView3D::ViewWaterlines() {
    SetStandardView(0, 270);
}

void TView3D::ViewStations() {
    SetStandardView(90, 0);
}

void TView3D::ViewButtocks() {
    SetStandardView(90, 270);
}

void TView3D::MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    if (ModifyMode() != mmRotate) return TCustomView2D::MouseDown(Button, Shift, X, Y);
    if (MouseIsDown()) StartRotate(X, Y);
}

void TView3D::MouseMove(TShiftState Shift, int X, int Y) {
    if (ModifyMode() != mmRotate) return TCustomView2D::MouseMove(Shift, X, Y);
    if (Shift.Left() && MouseIsDown()) MoveRotate(X, Y);
}

void TView3D::MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    if (ModifyMode() != mmRotate) return TCustomView2D::MouseUp(Button, Shift, X, Y);
    if (MouseIsDown()) DoRedraw();
}

void TView3D::StartRotate(int X, int Y) {
    Clear();
    FStartX = X;
    FStartY = Y;
    FTheta0 = FView3D->Theta();
    FPhi0 = FView3D->Phi();
    PreviewRedraw();
}

void TView3D::MoveRotate(int X, int Y) {
    const TColor Kept = LineColor();
    SetLineColor(BackColor());
    PreviewRedraw();
    FView3D->SetTheta((FStartX - X) * 180 / ClientWidth() + FTheta0);
    FView3D->SetPhi((FStartY - Y) * 180 / ClientHeight() + FPhi0);
    SetLineColor(Kept);
    PreviewRedraw();
}
