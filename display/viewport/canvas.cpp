// The off-screen canvas of a viewport: a painter kept open on the image between drawing calls,
// with the pen, brush and font applied as they change.
#include "display/viewport/canvas.h"

#include "display/viewstream.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

#include <QFontMetrics>

#include <algorithm>

QColor ToQColor(TColor Color) {
    if (Color == clNone) return Qt::transparent;
    return QColor(static_cast<int>(Color & 0xFF), static_cast<int>((Color >> 8) & 0xFF),
                  static_cast<int>((Color >> 16) & 0xFF));
}

QPolygon PixelPolygon(const TRPoints& Points) {
    QPolygon Pixels;
    Pixels.reserve(Points.Count());
    for (int i = 0; i < Points.Count(); ++i)
        Pixels.append(QPoint(RoundPixel(Points.At(i).X), RoundPixel(Points.At(i).Y)));
    return Pixels;
}

QPolygon PixelCorners(const TPolygon& Polygon) {
    const TRPoint& Last = Polygon.P4() ? *Polygon.P4() : Polygon.P3;
    QPolygon Corners;
    for (const TRPoint* P : {&Polygon.P1, &Polygon.P2, &Polygon.P3, &Last, &Last})
        Corners.append(QPoint(RoundPixel(P->X), RoundPixel(P->Y)));
    return Corners;
}

namespace {

QString ToQString(const std::string& S) {
    return QString::fromStdString(S);
}

} // namespace

TCanvas::TCanvas(std::function<void()> OnChange)
    : FOnChange(std::move(OnChange)), FImage(1, 1, QImage::Format_RGB32) {
    FImage.fill(ToQColor(FBrushColor));
    SetFont(QFont());
}

TCanvas::~TCanvas() {
    End();
}

const QImage& TCanvas::Image() {
    End();
    return FImage;
}

void TCanvas::SetSize(QSize Size) {
    End();
    FImage = QImage(Size.expandedTo({1, 1}), QImage::Format_RGB32);
    FImage.fill(ToQColor(FBrushColor));
}

QPainter& TCanvas::Painter() {
    if (!FPainter) {
        FPainter = std::make_unique<QPainter>(&FImage);
        ApplyState();
    }
    return *FPainter;
}

void TCanvas::End() {
    FPainter.reset();
}

void TCanvas::ApplyState() {
    if (!FPainter) return;
    QPen Pen(ToQColor(FPenColor), FPenWidth, FPenStyle);
    FPainter->setPen(FPenColor == clNone ? QPen(Qt::NoPen) : Pen);
    FPainter->setBrush(FBrushColor == clNone ? QBrush(Qt::NoBrush) : QBrush(ToQColor(FBrushColor)));
    FPainter->setCompositionMode(FPenMode == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                      : QPainter::CompositionMode_SourceOver);
    FPainter->setFont(FFont);
}

void TCanvas::Changed() {
    if (FOnChange) FOnChange();
}

void TCanvas::SetPenColor(TColor Color) {
    if (Color == FPenColor) return;
    FPenColor = Color;
    ApplyState();
}

void TCanvas::SetPenStyle(Qt::PenStyle Style) {
    FPenStyle = Style;
    ApplyState();
}

void TCanvas::SetPenMode(TPenMode Mode) {
    FPenMode = Mode;
    ApplyState();
}

void TCanvas::SetPenWidth(int Width) {
    FPenWidth = Width;
    ApplyState();
}

void TCanvas::SetBrushColor(TColor Color) {
    if (Color == FBrushColor) return;
    FBrushColor = Color;
    ApplyState();
}

void TCanvas::SetFontColor(TColor Color) {
    FFontColor = Color;
}

void TCanvas::SetFont(const QFont& Font) {
    FFont = Font;
    // Text is erased by writing it again in the background colour, which only works for glyphs
    // of whole pixels: smoothed edges would stay behind as grey.
    FFont.setStyleStrategy(QFont::NoAntialias);
    ApplyState();
}

void TCanvas::SetFontSize(int Points) {
    FFont.setPointSize(Points);
    ApplyState();
}

void TCanvas::Line(int X1, int Y1, int X2, int Y2) {
    Painter().drawLine(X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    const QRect Box(QPoint(std::min(X1, X2), std::min(Y1, Y2)),
                    QPoint(std::max(X1, X2) - 1, std::max(Y1, Y2) - 1));
    // A rectangle without width or height draws nothing, so a rubber band that has not yet
    // grown leaves no trace.
    if (Box.isEmpty()) return;
    Painter().drawRect(Box);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    Painter().drawEllipse(QRect(QPoint(X1, Y1), QPoint(X2 - 1, Y2 - 1)));
    Changed();
}

void TCanvas::Polygon(const QPolygon& Points) {
    Painter().drawPolygon(Points);
    Changed();
}

void TCanvas::Polyline(const QPolygon& Points) {
    Painter().drawPolyline(Points);
    Changed();
}

void TCanvas::FillRect(const QRect& Rect) {
    if (FBrushColor != clNone) Painter().fillRect(Rect, ToQColor(FBrushColor));
    Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& S) {
    QPainter& P = Painter();
    P.setPen(ToQColor(FFontColor));
    P.drawText(QRect(X, Y, TextWidth(S) + 1, TextHeight(S)), Qt::AlignLeft | Qt::AlignTop,
               ToQString(S));
    ApplyState();
    Changed();
}

int TCanvas::TextWidth(const std::string& S) const {
    return QFontMetrics(FFont).horizontalAdvance(ToQString(S));
}

int TCanvas::TextHeight(const std::string&) const {
    return QFontMetrics(FFont).height();
}
