// Shared set-up of the viewport tests: a shown control drawing a box model, and mouse input sent
// straight to the control in client pixels.
#pragma once

#include "display/viewport/view3dcontrol.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <memory>

// A box of 100 x 40 x 20 with a corner at the origin, as twelve lines.
inline void DrawBox(TGStream& S) {
    const double X = 100, Y = 40, Z = 20;
    for (const double z : {0.0, Z}) {
        S.Line(0, 0, z, X, 0, z);
        S.Line(X, 0, z, X, Y, z);
        S.Line(X, Y, z, 0, Y, z);
        S.Line(0, Y, z, 0, 0, z);
    }
    for (const double x : {0.0, X})
        for (const double y : {0.0, Y}) S.Line(x, y, 0, x, y, Z);
}

// A borderless control of 200 x 100 client pixels, shown and settled, drawing the box in both
// its redraw events and counting its full redraws.
template <class TControl> struct TShownView {
    std::unique_ptr<TControl> View = std::make_unique<TControl>();
    int Redraws = 0;

    TShownView() {
        View->SetBorderStyle(bsNone);
        View->resize(200, 100);
        View->OnRedraw = [this](QObject*, TGStream& S) {
            ++Redraws;
            DrawBox(S);
        };
        View->OnPreviewRedraw = [](QObject*, TGStream& S) { DrawBox(S); };
        View->show();
        [[maybe_unused]] const bool Exposed = QTest::qWaitForWindowExposed(View.get());
        QTest::qWait(350); // the first resize and paint are served
        Redraws = 0;
    }
};

inline void SendMouse(TView& View, QEvent::Type Type, Qt::MouseButton Button,
                      Qt::MouseButtons Buttons, QPoint Client,
                      Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    const QPointF Local = Client + View.contentsRect().topLeft();
    QMouseEvent Event(Type, Local, View.mapToGlobal(Local), Button, Buttons, Modifiers);
    QApplication::sendEvent(&View, &Event);
}

// A left-button drag through the given client points.
inline void Drag(TView& View, std::initializer_list<QPoint> Path,
                 Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    const QPoint* P = Path.begin();
    SendMouse(View, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, *P, Modifiers);
    for (++P; P != Path.end(); ++P)
        SendMouse(View, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, *P, Modifiers);
    SendMouse(View, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, *(Path.end() - 1),
              Modifiers);
}
