// TView, the viewport control: an off-screen canvas shown in a widget, the device-level drawing
// the view streams call, the colours, and the redraw timer that coalesces paint and resize
// requests into one redraw.
#pragma once

#include "display/outputstream.h"
#include "display/viewport/canvas.h"

#include <QFrame>
#include <QTimer>

#include <cstdint>
#include <functional>

enum TModifyMode { mmNone, mmPan, mmZoom, mmRotate, mmUser, mmZoomWindow, mmDragBox, mmPick };
enum TBorderStyle { bsNone, bsSingle };

// The modifier keys and the mouse buttons held during a mouse notification.
struct TShiftState {
    Qt::KeyboardModifiers Modifiers;
    Qt::MouseButtons Buttons;
    bool Left() const { return Buttons.testFlag(Qt::LeftButton); }
    bool operator==(const TShiftState&) const = default;
};

// A pixel rectangle by its corners; Right and Bottom are the far corner itself.
struct TPixelRect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TPixelRect&) const = default;
};

class TView : public QFrame, public TViewTarget {
public:
    using TMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                           TShiftState Shift, int X, int Y)>;
    using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;

    static constexpr int RedrawInterval = 100; // ms
    static constexpr double MarkerSize = 5;    // pixels

    explicit TView(QWidget* Parent = nullptr);

    TCanvas* Canvas() override { return &FCanvas; }
    TColor LineColor() const override { return FLineColor; }
    void SetLineColor(TColor Color) override;
    TColor BackColor() const override { return FBackColor; }
    void SetBackColor(TColor Color) override;
    TColor PenColor() const override { return FCanvas.PenColor(); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Style);
    TModifyMode ModifyMode() const { return FModifyMode; }
    // True while the left button, pressed inside the control, is held.
    bool MouseIsDown() const { return FMouseIsDown; }
    // The drawing area in pixels (inside the border).
    int ClientWidth() const { return contentsRect().width(); }
    int ClientHeight() const { return contentsRect().height(); }

    // Deferred: served by the timer once a whole period passes without new requests.
    void RequestRedraw();
    void RequestResize();
    // Redraws at once.
    void DoRedraw();

    virtual void Redraw() {}
    virtual void PreviewRedraw() {}
    virtual void ZoomExtents() {}
    // Fills the drawing area with BackColor; the pen takes LineColor.
    virtual void Clear();

    void DrawLine(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void DrawLinePoints(const TRPoint& P1, const TRPoint& P2);
    void DrawCircle(double X, double Y, double Radius) override;
    void DrawText(const std::string& S, double X, double Y) override;
    void DrawPoints(const TRPoints& Points) override;
    void DrawPolygon(const TPolygon& Polygon) override;
    void DrawMarker(const TRPoint& P) override;
    double TextWidth(const std::string& S) override;
    double TextHeight(const std::string& S) override;

    // Raised only in mmUser, with client pixel coordinates.
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    // The mouse notifications every level of the viewport refines (client pixels). MouseIsDown
    // is set before MouseDown and cleared after MouseUp.
    virtual void MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void StoreModifyMode(TModifyMode Mode) { FModifyMode = Mode; }

    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    TCanvas FCanvas;
    QTimer FRedrawTimer;
    TColor FLineColor = clWhite;
    TColor FBackColor = clBlack;
    TBorderStyle FBorderStyle = bsSingle;
    TModifyMode FModifyMode = mmNone;
    bool FRedrawPending = false;
    bool FResizePending = false;
    std::int32_t FRedrawRequests = 0;
    std::int32_t FResizeRequests = 0;
    bool FInPaint = false;
    bool FMouseIsDown = false;
    // The next paint only shows what the control drew itself; it asks for no redraw.
    bool FShowingOwnDrawing = false;

    // The pointer's last position in client pixels, where a drag whose release is lost ends.
    QPoint FLastMouse;

    void RedrawTimerTick();
    // MouseUp, then the left button counts as up.
    void Release(Qt::MouseButton Button, TShiftState Shift, QPoint P);
    // Ends a drag as a release would when the control can no longer receive it.
    void MouseLost();
    void CanvasChanged();
    QPoint ClientPoint(const QMouseEvent& Event) const;
};
