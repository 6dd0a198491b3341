// The title block and the legend of a drawing sheet.
#include "drawing/titleblock.h"

#include <algorithm>

namespace {

constexpr double RowHeight = 8.5, NoteHeight = 3;
constexpr double CaptionSize = 1.8, ValueSize = 3.5, NoteSize = 2;
constexpr double Inset = 1.5;
constexpr double OuterPen = 0.5, InnerPen = 0.18;
constexpr double LegendRow = 5, LegendTitle = 7, LegendSample = 12, LegendTextSize = 2.5;
constexpr TColor Ink = clWhite;

void Write(TGStream& Device, const std::string& S, double X, double Y, double Size, bool Bold) {
    Device.SetTextStyle({Size, haLeft, vaTop, 0, Bold});
    Device.Text(S, X, Y, 0);
}

void Rectangle(TGStream& Device, double Left, double Top, double Width, double Height) {
    Device.Line(Left, Top, 0, Left + Width, Top, 0);
    Device.Line(Left + Width, Top, 0, Left + Width, Top + Height, 0);
    Device.Line(Left + Width, Top + Height, 0, Left, Top + Height, 0);
    Device.Line(Left, Top + Height, 0, Left, Top, 0);
}

double FieldRowHeight(const std::vector<TTitleField>& Row) {
    const bool Notes =
        std::any_of(Row.begin(), Row.end(), [](const TTitleField& F) { return !F.Note.empty(); });
    return RowHeight + (Notes ? NoteHeight : 0);
}

} // namespace

double TTitleBlock::Height() const {
    double H = 0;
    for (const auto& Row : FRows) H += FieldRowHeight(Row);
    return H;
}

void TTitleBlock::Draw(TGStream& Device, double Left, double Top) const {
    Device.SetLineColor(Ink);
    Device.SetPen(OuterPen, lsSolid);
    Rectangle(Device, Left, Top, Width, Height());
    double Y = Top;
    for (const auto& Row : FRows) {
        const double H = FieldRowHeight(Row);
        const double W = Width / static_cast<double>(Row.size());
        Device.SetPen(InnerPen, lsSolid);
        if (Y > Top) Device.Line(Left, Y, 0, Left + Width, Y, 0);
        for (std::size_t k = 0; k < Row.size(); ++k) {
            const double X = Left + W * static_cast<double>(k);
            if (k > 0) Device.Line(X, Y, 0, X, Y + H, 0);
            Write(Device, Row[k].Caption, X + Inset, Y + Inset / 2, CaptionSize, false);
            Write(Device, Row[k].Value, X + Inset, Y + Inset + CaptionSize, ValueSize, true);
            if (!Row[k].Note.empty())
                Write(Device, Row[k].Note, X + Inset, Y + RowHeight, NoteSize, false);
        }
        Y += H;
    }
}

double TLegend::Height() const {
    const auto Rows = (FEntries.size() + 1) / 2;
    return LegendTitle + LegendRow * static_cast<double>(Rows);
}

void TLegend::Draw(TGStream& Device, double Left, double Top) const {
    Device.SetLineColor(Ink);
    Write(Device, "Legend", Left, Top, 3, true);
    for (std::size_t k = 0; k < FEntries.size(); ++k) {
        const TLegendEntry& E = FEntries[k];
        const double X = Left + (k % 2 == 0 ? 0 : Width / 2);
        const double Y = Top + LegendTitle + LegendRow * static_cast<double>(k / 2) + LegendRow / 2;
        if (E.Symbol)
            DrawMidshipsSymbol(Device, X + LegendSample / 2, Y, 1.25);
        else {
            Device.SetLineColor(E.Color);
            Device.SetPen(E.Pen, E.Style);
            Device.Line(X, Y, 0, X + LegendSample, Y, 0);
        }
        Device.SetLineColor(Ink);
        Device.SetTextStyle({LegendTextSize, haLeft, vaMiddle, 0, false});
        Device.Text(E.Text, X + LegendSample + 2, Y, 0);
    }
}

void DrawMidshipsSymbol(TGStream& Device, double X, double Y, double R) {
    Device.SetPen(InnerPen, lsSolid);
    Device.SetLineColor(Ink);
    Device.Circle(X, Y, 0, R);
    Device.Line(X - R, Y, 0, X + R, Y, 0);
    Device.Line(X, Y - R, 0, X, Y + R, 0);
}
