// The 2-D viewport: redraw events, window fitting and stepwise zoom, and the mouse modes pan,
// zoom, zoom window and drag box.
#include "display/viewport/customview2d.h"

#include "display/viewport/cursors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TCustomView2D::TCustomView2D(QWidget* Parent)
    : TView(Parent), FView(std::make_unique<TG2DView>(static_cast<TViewTarget*>(this))) {
    SetModifyMode(mmUser);
}

void TCustomView2D::SetModifyMode(TModifyMode Mode) {
    StoreModifyMode(Mode);
    switch (Mode) {
    case mmNone:
    case mmUser:
        setCursor(Qt::ArrowCursor);
        break;
    case mmPan:
        setCursor(KeelvaneCursor(crPan));
        break;
    case mmZoom:
        setCursor(KeelvaneCursor(crZoom));
        break;
    case mmZoomWindow:
        setCursor(KeelvaneCursor(crZoomWindow));
        break;
    case mmDragBox:
        setCursor(Qt::CrossCursor);
        break;
    case mmRotate:
    case mmPick:
        break;
    }
}

void TCustomView2D::Redraw() {
    Clear();
    if (OnRedraw) OnRedraw(this, *FView);
}

void TCustomView2D::PreviewRedraw() {
    if (OnPreviewRedraw) OnPreviewRedraw(this, *FView);
}

TViewWindow TCustomView2D::Window() const {
    return {FView->LeftX(), FView->TopY(), FView->RightX(), FView->BottomY()};
}

void TCustomView2D::ZoomExtents() {
    MeasureExtents(*FView, [this](TGStream&) { PreviewRedraw(); });
    FitWindow(ClientWidth(), ClientHeight());
}

bool TCustomView2D::FitWindow(std::int32_t Width, std::int32_t Height) {
    TViewWindow Fit = ExtentsWindow(*FView);
    if (OnResize) {
        OnResize(this, Fit.LeftX, Fit.TopY, Fit.RightX, Fit.BottomY);
    } else {
        const auto Fitted = FittedWindow(*FView, Width, Height);
        if (!Fitted) return false;
        Fit = *Fitted;
    }
    SetWindow(*FView, Fit, Width, Height);
    return true;
}

void TCustomView2D::ZoomBy(double f) {
    const TViewWindow w = Window();
    const double cx = (w.LeftX + w.RightX) / 2, cy = (w.TopY + w.BottomY) / 2;
    FView->SetLeftX(cx - (cx - w.LeftX) * f);
    FView->SetTopY(cy - (cy - w.TopY) * f);
    FView->SetRightX(cx + (w.RightX - cx) * f);
    FView->SetBottomY(cy + (w.BottomY - cy) * f);
    DoRedraw();
}

void TCustomView2D::ZoomIn() {
    ZoomBy(1 - FZoomMagnification / 100.0);
}

void TCustomView2D::ZoomOut() {
    ZoomBy(1 + FZoomMagnification / 100.0);
}

void TCustomView2D::ZoomAll() {
    MeasureExtents(*FView, [this](TGStream&) { PreviewRedraw(); });
    ZoomExtents();
    DoRedraw();
}

void TCustomView2D::PreviewInPen(TColor Pen) {
    Canvas()->SetPenColor(Pen);
    PreviewRedraw();
}

QPointF TCustomView2D::WorldPoint(int X, int Y) const {
    const TViewWindow w = Window();
    return {static_cast<double>(X) / ClientWidth() * (w.RightX - w.LeftX) + w.LeftX,
            static_cast<double>(Y) / ClientHeight() * (w.BottomY - w.TopY) + w.TopY};
}

bool TCustomView2D::HandlesDrag() const {
    const TModifyMode m = ModifyMode();
    return m == mmPan || m == mmZoom || m == mmZoomWindow || m == mmDragBox;
}

void TCustomView2D::MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    if (!HandlesDrag()) return TView::MouseDown(Button, Shift, X, Y);
    if (Shift.Left()) StartDrag(X, Y);
}

void TCustomView2D::MouseMove(TShiftState Shift, int X, int Y) {
    if (!HandlesDrag()) return TView::MouseMove(Shift, X, Y);
    if (ModifyMode() == mmDragBox) FDragShift = Shift;
    if (!Shift.Left() || !MouseIsDown()) return;
    switch (ModifyMode()) {
    case mmPan:
        MovePan(X, Y);
        break;
    case mmZoom:
        MoveZoom(Y);
        break;
    default:
        MoveRubberBand(X, Y);
    }
}

void TCustomView2D::MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    if (!HandlesDrag()) return TView::MouseUp(Button, Shift, X, Y);
    if (!MouseIsDown()) return;
    switch (ModifyMode()) {
    case mmPan:
    case mmZoom:
        EndPanOrZoom();
        break;
    case mmZoomWindow:
        EndZoomWindow(X, Y);
        break;
    default:
        EndDragBox(X, Y);
    }
}

void TCustomView2D::StartDrag(int X, int Y) {
    switch (ModifyMode()) {
    case mmPan:
        StartPan(X, Y);
        break;
    case mmZoom:
        StartZoom(X, Y);
        break;
    case mmZoomWindow: {
        const QPointF First = WorldPoint(X, Y);
        FZoomX0 = First.x();
        FZoomY0 = First.y();
        StartRubberBand(X, Y);
        break;
    }
    default:
        StartRubberBand(X, Y);
    }
}

void TCustomView2D::StartPan(int X, int Y) {
    FStartX = X;
    FStartY = Y;
    FSaved = Window();
    Clear();
    PreviewRedraw();
}

void TCustomView2D::MovePan(int X, int Y) {
    PreviewInPen(BackColor());
    const double W = ClientWidth(), H = ClientHeight();
    const TViewWindow& S = FSaved;
    const double W0 = S.RightX - S.LeftX, H0 = S.BottomY - S.TopY;
    FView->SetLeftX((FStartX - X) * W0 / W + S.LeftX);
    FView->SetTopY((FStartY - Y) * H0 / H + S.TopY);
    FView->SetRightX(((FStartX - X) / W + 1) * W0 + S.LeftX);
    FView->SetBottomY(((FStartY - Y) / H + 1) * H0 + S.TopY);
    PreviewInPen(LineColor());
}

void TCustomView2D::StartZoom(int X, int Y) {
    StartPan(X, Y);
    // The world point under the pointer stays in place.
    const QPointF Anchor = WorldPoint(X, Y);
    FAX = Anchor.x();
    FAY = Anchor.y();
}

void TCustomView2D::MoveZoom(int Y) {
    PreviewInPen(BackColor());
    const double d = static_cast<double>((Y - FStartY) * 5) / ClientHeight();
    const double f = d < 0 ? 1 / (std::abs(d) + 1) : 1 + d;
    // Each edge moves by (1 - f) of its distance to the anchor: a drag back to the start row
    // (f = 1) gives the saved window bit for bit.
    const TViewWindow& S = FSaved;
    FView->SetLeftX(S.LeftX + (FAX - S.LeftX) * (1 - f));
    FView->SetTopY(S.TopY + (FAY - S.TopY) * (1 - f));
    FView->SetRightX(S.RightX - (S.RightX - FAX) * (1 - f));
    FView->SetBottomY(S.BottomY - (S.BottomY - FAY) * (1 - f));
    PreviewInPen(LineColor());
}

void TCustomView2D::EndPanOrZoom() {
    Clear();
    DoRedraw();
}

void TCustomView2D::DrawRubberBand() {
    Canvas()->Rectangle(FDragRect.Left, FDragRect.Top, FDragRect.Right, FDragRect.Bottom);
}

void TCustomView2D::StartRubberBand(int X, int Y) {
    FDragRect = {X, Y, X, Y};
    TCanvas& C = *Canvas();
    C.SetPenWidth(1);
    C.SetPenStyle(Qt::DotLine);
    C.SetPenColor(clBlack);
    C.SetPenMode(pmNotXor);
    C.SetBrushColor(clWhite);
}

void TCustomView2D::MoveRubberBand(int X, int Y) {
    DrawRubberBand();
    FDragRect.Right = X;
    FDragRect.Bottom = Y;
    DrawRubberBand();
}

void TCustomView2D::EndRubberBand(int X, int Y, bool Follow) {
    DrawRubberBand();
    if (Follow) {
        TPixelRect& R = FDragRect;
        R = {std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Left, X), std::max(R.Top, Y)};
    }
    TCanvas& C = *Canvas();
    C.SetPenStyle(Qt::SolidLine);
    C.SetPenMode(pmCopy);
    C.SetPenColor(LineColor());
    C.SetBrushColor(BackColor());
}

void TCustomView2D::EndZoomWindow(int X, int Y) {
    EndRubberBand(X, Y, false);
    const QPointF Second = WorldPoint(X, Y);
    const double X0 = std::min(FZoomX0, Second.x()), X1 = std::max(FZoomX0, Second.x());
    const double Y0 = std::min(FZoomY0, Second.y()), Y1 = std::max(FZoomY0, Second.y());
    const double cx = (X0 + X1) / 2, cy = (Y0 + Y1) / 2;
    const double w = X1 - X0, h = Y1 - Y0;
    const bool TooSmall = std::abs(FDragRect.Right - FDragRect.Left) <= MinZoomWindow ||
                          std::abs(FDragRect.Bottom - FDragRect.Top) <= MinZoomWindow;
    const TViewWindow Old = Window();
    // The aspect of the window; a degenerate window has none to keep.
    const double a = (Old.BottomY - Old.TopY) / (Old.RightX - Old.LeftX);
    if (w == 0 || TooSmall || a == 0 || !std::isfinite(a)) return;
    FView->SetTopY(cy + h / 2);
    FView->SetBottomY(cy - h / 2);
    FView->SetLeftX(cx + h / (2 * a));
    FView->SetRightX(cx - h / (2 * a));
    DoRedraw();
}

void TCustomView2D::EndDragBox(int X, int Y) {
    EndRubberBand(X, Y, true);
    if (OnDragBox) OnDragBox(this, FDragRect, FDragShift);
}
