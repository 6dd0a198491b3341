// TCustomView2D: a viewport with a world window. It raises the redraw events through which the
// application draws, fits the window to the model, zooms stepwise, and pans, zooms and drags
// rubber-band boxes with the mouse.
#pragma once

#include "display/view2d.h"
#include "display/viewfit.h"
#include "display/viewport/viewcontrol.h"

#include <functional>
#include <memory>

class TCustomView2D : public TView {
public:
    using TRedrawEvent = std::function<void(QObject* Sender, TGStream& Stream)>;
    using TResizeEvent = std::function<void(QObject* Sender, double& LeftX, double& TopY,
                                            double& RightX, double& BottomY)>;
    using TDragBoxEvent = std::function<void(QObject* Sender, TPixelRect Rect, TShiftState Shift)>;

    // The smallest rubber band, in pixels each way, that zooms the window.
    static constexpr int MinZoomWindow = 10;

    explicit TCustomView2D(QWidget* Parent = nullptr);

    TG2DView& View() const { return *FView; }
    std::int32_t ZoomMagnification() const { return FZoomMagnification; }
    void SetZoomMagnification(std::int32_t Percent) { FZoomMagnification = Percent; }
    virtual void SetModifyMode(TModifyMode Mode);
    TPixelRect DragRect() const { return FDragRect; }
    TViewWindow Window() const;

    // Clear, then OnRedraw.
    void Redraw() override;
    void PreviewRedraw() override;
    // Fits the window to the model measured by the preview drawing on the drawing area.
    void ZoomExtents() override;
    // Sets the window for the extents last measured on a Width x Height pixel rectangle: OnResize
    // decides when assigned, else the extents with the margin at equal scales. False, and the
    // window unchanged, when there is nothing to fit.
    bool FitWindow(std::int32_t Width, std::int32_t Height);
    void ZoomIn();
    void ZoomOut();
    // Recentres the view on the model, fits and redraws.
    void ZoomAll();

    TRedrawEvent OnRedraw;
    TRedrawEvent OnPreviewRedraw;
    TResizeEvent OnResize;
    TDragBoxEvent OnDragBox;

protected:
    // A descendant replaces the view (the 3-D viewport installs its own).
    void SetView(std::unique_ptr<TG2DView> View) { FView = std::move(View); }
    void MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) override;
    // The preview drawn in the pen colour, or in the background colour to erase it.
    void PreviewInPen(TColor Pen);

private:
    std::unique_ptr<TG2DView> FView;
    std::int32_t FZoomMagnification = 20;
    // Drag state: start pixel, window at the start, zoom anchor.
    int FStartX = 0, FStartY = 0;
    TViewWindow FSaved;
    double FAX = 0, FAY = 0;
    double FZoomX0 = 0, FZoomY0 = 0; // first corner of a zoom window, world units
    TPixelRect FDragRect;
    TShiftState FDragShift;

    bool HandlesDrag() const;
    void ZoomBy(double f);
    // The pixel (X, Y) in the world units of the current window.
    QPointF WorldPoint(int X, int Y) const;

    void StartDrag(int X, int Y);
    void StartPan(int X, int Y);
    void MovePan(int X, int Y);
    void StartZoom(int X, int Y);
    // Only the vertical movement zooms.
    void MoveZoom(int Y);
    void EndPanOrZoom();
    void StartRubberBand(int X, int Y);
    void MoveRubberBand(int X, int Y);
    // Erases the band and restores the pen; the last corner moves to (X, Y) when Follow.
    void EndRubberBand(int X, int Y, bool Follow);
    void DrawRubberBand();
    void EndZoomWindow(int X, int Y);
    void EndDragBox(int X, int Y);
};
