// The pictures of the custom cursors, drawn as 32 x 32 two-colour images: black strokes
// with a white rim, so they read on both the black viewport and light windows.
#include "display/viewport/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace {

using TPicture = std::function<void(QPainterPath&)>;

void Magnifier(QPainterPath& P, QPointF Centre, double Radius) {
    P.addEllipse(Centre, Radius, Radius);
    const double d = Radius * 0.7;
    P.moveTo(Centre + QPointF(d, d));
    P.lineTo(Centre + QPointF(d + Radius, d + Radius));
}

void Pointer(QPainterPath& P) {
    P.moveTo(1, 1);
    P.lineTo(1, 15);
    P.lineTo(5, 11);
    P.lineTo(11, 11);
    P.closeSubpath();
}

// Four arrows from Centre, each Arm long, with heads of Head.
void FourWayArrows(QPainterPath& P, QPointF Centre, double Arm, double Head) {
    for (const QPointF Dir : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)}) {
        const QPointF Tip = Centre + Dir * Arm;
        const QPointF Side(Dir.y(), Dir.x());
        P.moveTo(Centre);
        P.lineTo(Tip);
        P.moveTo(Tip - Dir * Head + Side * Head);
        P.lineTo(Tip);
        P.lineTo(Tip - Dir * Head - Side * Head);
    }
}

// A quarter-circle arc about Centre from StartAngle (degrees), with an arrow head at its end.
void CurvedArrow(QPainterPath& P, QPointF Centre, double Radius, double StartAngle) {
    const QRectF Box(Centre.x() - Radius, Centre.y() - Radius, 2 * Radius, 2 * Radius);
    P.arcMoveTo(Box, StartAngle);
    P.arcTo(Box, StartAngle, 100);
    const QPointF End = P.currentPosition();
    P.moveTo(End + QPointF(-4, -2));
    P.lineTo(End);
    P.lineTo(End + QPointF(1, 4));
}

const std::map<int, TPicture>& Pictures() {
    static const std::map<int, TPicture> Map{
        {crZoom,
         [](QPainterPath& P) {
             Magnifier(P, {12, 12}, 8);
         }},
        {crPan,
         [](QPainterPath& P) {
             P.addRoundedRect(8, 14, 16, 14, 4, 4);
             for (int Finger = 0; Finger < 4; ++Finger)
                 P.addRoundedRect(8 + Finger * 4, 4 + (Finger % 3), 4, 12, 2, 2);
             P.addRoundedRect(3, 14, 6, 4, 2, 2);
         }},
        {crRotate,
         [](QPainterPath& P) {
             P.addEllipse(QPointF(16, 16), 7, 7);
             P.addEllipse(QPointF(16, 16), 3, 7);
             CurvedArrow(P, {16, 16}, 12, 30);
             CurvedArrow(P, {16, 16}, 12, 210);
         }},
        {crPointerMove,
         [](QPainterPath& P) {
             Pointer(P);
             FourWayArrows(P, {22, 22}, 7, 3);
         }},
        {crCurvedArrow,
         [](QPainterPath& P) {
             CurvedArrow(P, {16, 18}, 11, 10);
         }},
        {crZoomWindow,
         [](QPainterPath& P) {
             P.moveTo(0, 10);
             P.lineTo(20, 10);
             P.moveTo(10, 0);
             P.lineTo(10, 20);
             Magnifier(P, {21, 21}, 5);
         }},
        {crPointerCross,
         [](QPainterPath& P) {
             Pointer(P);
             FourWayArrows(P, {22, 22}, 8, 2);
         }},
        {crPointerZoom,
         [](QPainterPath& P) {
             Pointer(P);
             Magnifier(P, {21, 21}, 5);
         }},
    };
    return Map;
}

// The hot spot: the centre of the lens or cross-hair, the pointer's tip, else the middle.
QPoint HotSpot(int Number) {
    switch (Number) {
    case crZoom:
        return {12, 12};
    case crZoomWindow:
        return {10, 10};
    case crPointerMove:
    case crPointerCross:
    case crPointerZoom:
        return {1, 1};
    default:
        return {16, 16};
    }
}

QCursor DrawCursor(int Number, const TPicture& Picture) {
    QPixmap Image(32, 32);
    Image.fill(Qt::transparent);
    QPainterPath Path;
    Picture(Path);
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.strokePath(Path, QPen(Qt::white, 3));
    Painter.strokePath(Path, QPen(Qt::black, 1));
    Painter.end();
    return QCursor(Image, HotSpot(Number).x(), HotSpot(Number).y());
}

} // namespace

QCursor KeelvaneCursor(int Number) {
    // Drawn on each call (the pictures are tiny): a cached cursor would outlive the application.
    const auto It = Pictures().find(Number);
    return It == Pictures().end() ? QCursor(Qt::ArrowCursor) : DrawCursor(Number, It->second);
}
