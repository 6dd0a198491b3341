// TCanvas: the drawing surface of a viewport control, an off-screen image with the pen, brush and
// font state of a classic canvas (colours, dotted pen, not-xor pen mode), which the control shows.
#pragma once

#include "geometry/color.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <functional>
#include <memory>
#include <string>

enum TPenMode { pmCopy, pmNotXor };

class TPolygon;
class TRPoints;

QColor ToQColor(TColor Color);
// The points of a list in device units, rounded to pixels.
QPolygon PixelPolygon(const TRPoints& Points);
// A face's corners rounded to pixels: the fourth only when the face has one (else the third
// again), then the last once more.
QPolygon PixelCorners(const TPolygon& Polygon);

class TCanvas {
public:
    // OnChange is told after every drawing operation, so the owner can show the image.
    explicit TCanvas(std::function<void()> OnChange);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The picture; any drawing in progress is finished first.
    const QImage& Image();
    // A new image of that size filled with the brush colour.
    void SetSize(QSize Size);
    QSize Size() const { return FImage.size(); }

    TColor PenColor() const { return FPenColor; }
    void SetPenColor(TColor Color);
    void SetPenStyle(Qt::PenStyle Style);
    TPenMode PenMode() const { return FPenMode; }
    void SetPenMode(TPenMode Mode);
    void SetPenWidth(int Width);
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Color);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Color);
    void SetFont(const QFont& Font);
    void SetFontSize(int Points);

    void Line(int X1, int Y1, int X2, int Y2);
    // The outline runs along the rectangle's left and top edges and one pixel inside its right
    // and bottom edges (corners in either order); the inside is filled with the brush.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Polygon(const QPolygon& Points);
    void Polyline(const QPolygon& Points);
    // The rectangle filled with the brush, no outline.
    void FillRect(const QRect& Rect);
    // S with its top-left corner at (X, Y), in the font colour.
    void TextOut(int X, int Y, const std::string& S);
    int TextWidth(const std::string& S) const;
    int TextHeight(const std::string& S) const;

private:
    std::function<void()> FOnChange;
    QImage FImage;
    std::unique_ptr<QPainter> FPainter;
    TColor FPenColor = clWhite;
    Qt::PenStyle FPenStyle = Qt::SolidLine;
    TPenMode FPenMode = pmCopy;
    int FPenWidth = 1;
    TColor FBrushColor = clBlack;
    TColor FFontColor = clWhite;
    QFont FFont;

    // The painter, begun on the image with the current pen and brush.
    QPainter& Painter();
    void ApplyState();
    void End();
    void Changed();
};
