// The furniture of a drawing sheet: the title block, a table of captioned fields, and the
// legend, a line sample beside each kind of line the drawing uses. Both draw in sheet
// millimetres through a device stream.
#pragma once

#include "geometry/gstream.h"

#include <string>
#include <vector>

struct TTitleField {
    std::string Caption, Value;
    // A second, smaller line under the value; empty for none.
    std::string Note = {};
};

class TTitleBlock {
public:
    static constexpr double Width = 120;

    // Each row holds one field across the block or several side by side.
    explicit TTitleBlock(std::vector<std::vector<TTitleField>> Rows) : FRows(std::move(Rows)) {}

    double Height() const;
    void Draw(TGStream& Device, double Left, double Top) const;

private:
    std::vector<std::vector<TTitleField>> FRows;
};

struct TLegendEntry {
    TColor Color;
    double Pen;
    TLineStyle Style;
    std::string Text;
    // A midships symbol in place of the line sample.
    bool Symbol = false;
};

class TLegend {
public:
    static constexpr double Width = TTitleBlock::Width;

    explicit TLegend(std::vector<TLegendEntry> Entries) : FEntries(std::move(Entries)) {}

    double Height() const;
    void Draw(TGStream& Device, double Left, double Top) const;

private:
    std::vector<TLegendEntry> FEntries;
};

// The midships symbol: a circle of radius R crossed by its diameters.
void DrawMidshipsSymbol(TGStream& Device, double X, double Y, double R);
