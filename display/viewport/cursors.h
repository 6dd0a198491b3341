// The custom mouse cursors of the viewport, by their fixed numbers: 11 magnifying glass, 12 hand,
// 13 sphere with curved arrows, 14 pointer with a four-way move sign, 15 curved arrow,
// 16 cross-hair with a magnifying glass, 17 pointer with a four-way arrow cross, 18 pointer with
// a magnifying glass.
#pragma once

#include <QCursor>

inline constexpr int crZoom = 11;
inline constexpr int crPan = 12;
inline constexpr int crRotate = 13;
inline constexpr int crPointerMove = 14;
inline constexpr int crCurvedArrow = 15;
inline constexpr int crZoomWindow = 16;
inline constexpr int crPointerCross = 17;
inline constexpr int crPointerZoom = 18;

// The cursor registered under Number (11 to 18); the standard arrow for any other number.
// Needs the application object.
QCursor KeelvaneCursor(int Number);
