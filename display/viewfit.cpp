// The measuring pass and the window fit shared by the viewport, printing and file output.
#include "display/viewfit.h"

void MeasureExtents(TViewStream& View, const std::function<void(TGStream&)>& Draw) {
    View.ResetExtents();
    View.Suspend();
    try {
        if (Draw) Draw(View);
    } catch (...) {
        View.Resume();
        throw;
    }
    View.Resume();
    View.UpdateMatrix();
}

TViewWindow ExtentsWindow(const TG2DView& View) {
    return {View.MinX(), View.MaxY(), View.MaxX(), View.MinY()};
}

std::optional<TViewWindow> FittedWindow(const TG2DView& View, std::int32_t Width,
                                        std::int32_t Height) {
    if (View.MaxX() <= View.MinX() || View.MaxY() == View.MinY()) return std::nullopt;
    if (Width <= 0 || Height <= 0) return std::nullopt;
    const double w = (View.MaxX() - View.MinX()) * (1 + FitMargin);
    const double h = (View.MaxY() - View.MinY()) * (1 + FitMargin);
    const double cx = (View.MaxX() + View.MinX()) / 2;
    const double cy = (View.MaxY() + View.MinY()) / 2;
    const double sx = Width / w;
    const double vh = Height / (sx * PixelAspect);
    if (vh < h) {
        const double sy = Height / h;
        const double vw = Width / (sy / PixelAspect);
        return TViewWindow{cx - vw / 2, cy + h / 2, cx + vw / 2, cy - h / 2};
    }
    return TViewWindow{cx - w / 2, cy + vh / 2, cx + w / 2, cy - vh / 2};
}

void SetWindow(TG2DView& View, const TViewWindow& Window, std::int32_t Width, std::int32_t Height) {
    View.SetRightX(Window.RightX);
    View.SetTopY(Window.TopY);
    View.SetLeftX(Window.LeftX);
    View.SetBottomY(Window.BottomY);
    View.SetHeight(Height);
    View.SetWidth(Width);
}

bool FitViewToDrawing(TG2DView& View, const std::function<void(TGStream&)>& Draw,
                      std::int32_t Width, std::int32_t Height) {
    MeasureExtents(View, Draw);
    MeasureExtents(View, Draw);
    const auto Window = FittedWindow(View, Width, Height);
    if (!Window) return false;
    SetWindow(View, *Window, Width, Height);
    return true;
}
