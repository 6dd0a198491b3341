// The viewport control: deferred redraw by timer, colours, device drawing on the off-screen
// canvas, and the mouse notifications handed to the application in mmUser.
#include "display/viewport/viewcontrol.h"

#include "display/viewstream.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

TView::TView(QWidget* Parent) : QFrame(Parent), FCanvas([this] { CanvasChanged(); }) {
    resize(80, 80);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    SetBorderStyle(bsSingle);
    FCanvas.SetPenColor(FLineColor);
    FCanvas.SetBrushColor(FBackColor);
    FCanvas.SetFontColor(FLineColor);
    FCanvas.SetFont(font());
    FRedrawTimer.setInterval(RedrawInterval);
    connect(&FRedrawTimer, &QTimer::timeout, this, [this] { RedrawTimerTick(); });
}

void TView::SetLineColor(TColor Color) {
    FLineColor = Color;
    FCanvas.SetPenColor(Color);
}

void TView::SetBackColor(TColor Color) {
    FBackColor = Color;
    FCanvas.SetBrushColor(Color);
    if (!FInPaint) RequestRedraw();
}

void TView::SetBorderStyle(TBorderStyle Style) {
    FBorderStyle = Style;
    setFrameStyle(Style == bsSingle ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

void TView::RequestRedraw() {
    FRedrawPending = true;
    ++FRedrawRequests;
    if (!FRedrawTimer.isActive()) FRedrawTimer.start();
}

void TView::RequestResize() {
    FResizePending = true;
    ++FResizeRequests;
    if (!FRedrawTimer.isActive()) FRedrawTimer.start();
}

void TView::RedrawTimerTick() {
    if (FMouseIsDown) return;
    if (FResizePending && FRedrawRequests == 0 && FResizeRequests == 0) {
        FResizePending = false;
        ZoomExtents();
        if (!FRedrawPending) FRedrawTimer.stop();
    }
    if (FRedrawPending && FRedrawRequests == 0) {
        FRedrawPending = false;
        DoRedraw();
        FRedrawTimer.stop();
    }
    FRedrawRequests = 0;
    FResizeRequests = 0;
}

void TView::DoRedraw() {
    Redraw();
}

void TView::Clear() {
    FCanvas.SetBrushColor(FBackColor);
    FCanvas.FillRect(QRect(0, 0, ClientWidth(), ClientHeight()));
    FCanvas.SetPenColor(FLineColor);
}

void TView::CanvasChanged() {
    // One update shows everything drawn until the paint comes: a redraw draws thousands of
    // lines, and asking for the paint again after each of them cost a tenth of its time.
    if (FShowingOwnDrawing) return;
    FShowingOwnDrawing = true;
    update();
}

void TView::paintEvent(QPaintEvent* Event) {
    FInPaint = true;
    {
        QPainter Painter(this);
        Painter.drawImage(contentsRect().topLeft(), FCanvas.Image());
    }
    QFrame::paintEvent(Event);
    // The image keeps the picture, so a paint caused by the control's own drawing needs no
    // redraw; any other (the window exposed) asks for one.
    if (!FShowingOwnDrawing) RequestRedraw();
    FShowingOwnDrawing = false;
    FInPaint = false;
}

void TView::resizeEvent(QResizeEvent* Event) {
    QFrame::resizeEvent(Event);
    FCanvas.SetSize(contentsRect().size());
    // The new image is blank: the paint that follows must ask for a redraw even when the
    // control drew while hidden and that paint never came.
    FShowingOwnDrawing = false;
    RequestResize();
}

void TView::DrawLine(double X1, double Y1, double, double X2, double Y2, double) {
    FCanvas.Line(RoundPixel(X1), RoundPixel(Y1), RoundPixel(X2), RoundPixel(Y2));
}

void TView::DrawLinePoints(const TRPoint& P1, const TRPoint& P2) {
    DrawLine(P1.X, P1.Y, 0, P2.X, P2.Y, 0);
}

void TView::DrawCircle(double X, double Y, double Radius) {
    FCanvas.Ellipse(RoundPixel(X - Radius), RoundPixel(Y - Radius), RoundPixel(X + Radius),
                    RoundPixel(Y + Radius));
}

void TView::DrawText(const std::string& S, double X, double Y) {
    FCanvas.TextOut(RoundPixel(X), RoundPixel(Y), S);
}

void TView::DrawPoints(const TRPoints& Points) {
    const QPolygon Pixels = PixelPolygon(Points);
    if (Points.UseColors) {
        FCanvas.SetPenColor(Points.LineColor);
        FCanvas.SetBrushColor(Points.FillColor);
    }
    if (Points.Filled)
        FCanvas.Polygon(Pixels);
    else
        FCanvas.Polyline(Pixels);
    FCanvas.SetPenColor(FLineColor);
    FCanvas.SetBrushColor(FBackColor);
}

void TView::DrawPolygon(const TPolygon& Polygon) {
    FCanvas.SetPenColor(Polygon.LineColor);
    FCanvas.SetBrushColor(Polygon.FillColor);
    FCanvas.Polygon(PixelCorners(Polygon));
}

void TView::DrawMarker(const TRPoint& P) {
    DrawCircle(P.X, P.Y, MarkerSize);
}

double TView::TextWidth(const std::string& S) {
    return FCanvas.TextWidth(S);
}

double TView::TextHeight(const std::string& S) {
    return FCanvas.TextHeight(S);
}

QPoint TView::ClientPoint(const QMouseEvent& Event) const {
    return Event.position().toPoint() - contentsRect().topLeft();
}

void TView::mousePressEvent(QMouseEvent* Event) {
    // The drags measure the pointer against the drawing area's size: on a control that is all
    // border they would divide by zero.
    if (contentsRect().isEmpty()) return;
    // A second left press, or a move with the left button up, means the release of an open drag
    // went elsewhere.
    if (Event->button() == Qt::LeftButton) MouseLost();
    const QPoint P = FLastMouse = ClientPoint(*Event);
    const TShiftState Shift{Event->modifiers(), Event->buttons()};
    if (Shift.Left()) FMouseIsDown = true;
    MouseDown(Event->button(), Shift, P.x(), P.y());
}

void TView::mouseMoveEvent(QMouseEvent* Event) {
    if (contentsRect().isEmpty()) return;
    if (!Event->buttons().testFlag(Qt::LeftButton)) MouseLost();
    const QPoint P = FLastMouse = ClientPoint(*Event);
    MouseMove({Event->modifiers(), Event->buttons()}, P.x(), P.y());
}

void TView::mouseReleaseEvent(QMouseEvent* Event) {
    FLastMouse = ClientPoint(*Event);
    Release(Event->button(), {Event->modifiers(), Event->buttons()}, FLastMouse);
}

void TView::Release(Qt::MouseButton Button, TShiftState Shift, QPoint P) {
    MouseUp(Button, Shift, P.x(), P.y());
    FMouseIsDown = false;
}

void TView::hideEvent(QHideEvent* Event) {
    QFrame::hideEvent(Event);
    MouseLost();
}

void TView::changeEvent(QEvent* Event) {
    QFrame::changeEvent(Event);
    const bool Deactivated = Event->type() == QEvent::ActivationChange && !isActiveWindow();
    const bool Disabled = Event->type() == QEvent::EnabledChange && !isEnabled();
    if (Deactivated || Disabled) MouseLost();
}

void TView::MouseLost() {
    // A release that goes to another window (a dialog opened during the drag, or none when the
    // window is unmapped under the pointer, which ends the grab without hiding the control or
    // deactivating its window) never comes here: without it the drag would stay open and every
    // deferred redraw wait for good.
    if (FMouseIsDown)
        Release(Qt::LeftButton, {QGuiApplication::keyboardModifiers(), Qt::NoButton}, FLastMouse);
}

void TView::MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    if (FModifyMode == mmUser && OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TView::MouseMove(TShiftState Shift, int X, int Y) {
    if (FModifyMode == mmUser && OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TView::MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    // Cleared before the application's handler, so that it sees the button up.
    FMouseIsDown = false;
    if (FModifyMode == mmUser && OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
