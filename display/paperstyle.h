// The colours and line patterns of a drawing on paper: the screen draws light lines on black,
// paper dark lines on white, and every paper device (SVG, PDF, printer, DXF) turns the one into
// the other and strokes its line styles the same way, from the pen state they share.
#pragma once

#include "geometry/color.h"
#include "geometry/gstream.h"

#include <vector>

// The colour a screen colour (drawn on black) takes on white paper: white prints black, black
// (the screen's background) prints white, light colours print a darker tone of their hue.
TColor PaperColor(TColor Color);

// Dash and gap lengths of a line style in pen widths, dash first; empty for a solid line. Lines
// are drawn with round caps, which lengthen each dash by one pen width.
std::vector<double> DashPattern(TLineStyle Style);

// Where the baseline of a text lies below its anchor row, in font sizes: the devices that place
// text by its baseline (SVG, a painter) place it alike.
double BaselineBelow(TVerticalAnchor Anchor);

// The pen and text style of a paper device as the drawing sets them, where a zero width or size
// keeps the present one.
struct TPaperPen {
    double Width = 1;
    TLineStyle Style = lsSolid;
    TTextStyle Text{12};

    void Set(double AWidth, TLineStyle AStyle) {
        if (AWidth > 0) Width = AWidth;
        Style = AStyle;
    }
    void SetText(const TTextStyle& S) {
        const double Size = S.Size > 0 ? S.Size : Text.Size;
        Text = S;
        Text.Size = Size;
    }
};

// The common part of every paper device: the screen colour, pen and text style as the drawing
// sets them, which each device turns into its own paper colours, strokes and texts.
class TPaperStream : public TGStream {
public:
    explicit TPaperStream(const TPaperPen& Pen) : FPen(Pen) {}

    TColor GetLineColor() const override { return FLineColor; }
    TColor GetColor() const override { return FLineColor; }
    void SetLineColor(TColor Color) override { FLineColor = Color; }
    void SetPen(double Width, TLineStyle Style) override { FPen.Set(Width, Style); }
    void SetTextStyle(const TTextStyle& Style) override { FPen.SetText(Style); }

protected:
    TPaperPen FPen;
    TColor FLineColor = clWhite;
};
