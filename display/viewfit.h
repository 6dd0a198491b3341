// Fitting a view's window to the model: the measuring pass with output switched off, and the
// window that shows the measured extents with a margin at equal scales.
#pragma once

#include "display/view2d.h"

#include <cstdint>
#include <functional>
#include <optional>

// A world window: the projected X at the left and right edges, the projected Y at the top and
// bottom edges.
struct TViewWindow {
    double LeftX = 0, TopY = 0, RightX = 0, BottomY = 0;
    bool operator==(const TViewWindow&) const = default;
};

// The margin added to the model's extents, as a fraction of each extent.
inline constexpr double FitMargin = 0.08;
// Width / height of a pixel.
inline constexpr double PixelAspect = 1.0;

// Resets the extents, lets Draw draw into the view with output switched off, and recentres the
// view's rotation on what was drawn. The 2-D extents are those seen before the recentring: when
// the centre moved, measure again before fitting.
void MeasureExtents(TViewStream& View, const std::function<void(TGStream&)>& Draw);
// The window that shows the 2-D extents with the margin at equal scales on a Width x Height
// pixel rectangle, Y growing upwards; none when nothing was drawn, the extents have no width or
// no height, or the rectangle is empty.
std::optional<TViewWindow> FittedWindow(const TG2DView& View, std::int32_t Width,
                                        std::int32_t Height);
// The window as the 2-D extents give it, without margin: the starting point for a caller that
// fits the window itself.
TViewWindow ExtentsWindow(const TG2DView& View);
// Installs the window and the pixel size (right, top, left, bottom, height, width).
void SetWindow(TG2DView& View, const TViewWindow& Window, std::int32_t Width, std::int32_t Height);
// Fits the view to what Draw draws on a Width x Height pixel rectangle, for output that is not
// a viewport (a sheet): measured twice, so the window follows the recentred rotation. False,
// and the view unchanged but recentred, when there is nothing to fit.
bool FitViewToDrawing(TG2DView& View, const std::function<void(TGStream&)>& Draw,
                      std::int32_t Width, std::int32_t Height);
