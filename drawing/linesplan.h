// TLinesPlanSheet: the lines plan of a hull as a naval architect's drawing. The sheet is laid out
// once (paper, scale, the profile, plan and body plan with their labels and reference lines, the
// legend and the title block) and then drawn through any graphics stream: an SVG file, a PDF
// page, a printer, a DXF file all receive the same primitives.
//
// The device stream receives sheet coordinates: millimetres on the paper, origin at the top-left
// corner, y downwards. It should honour SetPen (width in mm, line style) and SetTextStyle (size in
// mm, anchor, angle); colours are given as the screen's (white is ink), as for every paper
// device (see PaperColor); each kind of line and text is announced through SetLayer. Polylines
// arrive through DrawPoints with their own colour, straight lines through Line in the stream's line
// colour, texts through Text, circles through Circle.
#pragma once

#include "drawing/sheetformat.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TContours;
class TGStream;
class TKeelvane;
class TLegend;
class TTitleBlock;
struct THullLines;

enum TLinesView { lvProfile, lvPlan, lvBody, lvAll };

// "profile", "plan", "body" or "all"; none for any other text.
std::optional<TLinesView> LinesViewByName(std::string_view Name);

struct TLinesPlanOptions {
    TPaperSize Paper = PaperA3;
    // The denominator N of the scale 1:N; none: the largest standard scale at which the views fit.
    std::optional<double> Scale;
    TLengthUnit Unit = luAsEntered;
    TLinesView View = lvAll;
    // The project's file name, shown in the title block.
    std::string ProjectName;
    // The date shown in the title block; empty: today (UTC, YYYY-MM-DD).
    std::string Date;
};

// The layers of the sheet: before the lines and texts of each kind the sheet names it to the
// device through SetLayer.
namespace SheetLayer {
inline constexpr const char* Frame = "FRAME";
inline constexpr const char* Outline = "OUTLINE";
inline constexpr const char* Stations = "STATIONS";
inline constexpr const char* Buttocks = "BUTTOCKS";
inline constexpr const char* Waterlines = "WATERLINES";
inline constexpr const char* DesignWaterline = "DWL";
// The base line, centre lines and perpendiculars.
inline constexpr const char* Reference = "REFERENCE";
// The captions of the views, the numbers and names of the lines, the midships symbol.
inline constexpr const char* Labels = "LABELS";
inline constexpr const char* Legend = "LEGEND";
inline constexpr const char* Title = "TITLE";
// The sections of an axis: 0 stations, 1 buttocks, 2 waterlines.
inline constexpr const char* Sections[3] = {Stations, Buttocks, Waterlines};
} // namespace SheetLayer

// The largest chord error of a drawn curve, in millimetres on the paper.
inline constexpr double ChordTolerance = 0.02;

class TLinesPlanSheet {
public:
    // Lays out the lines plan of Hull cut by Planes. Raises EGeometryError "The hull has no
    // extent to draw" for a hull that is not generated, and, when Options.Scale is given and the
    // views do not fit the paper at it, a message naming the largest standard scale that fits.
    TLinesPlanSheet(TKeelvane& Hull, const TContours& Planes, const TLinesPlanOptions& Options);
    ~TLinesPlanSheet();
    TLinesPlanSheet(const TLinesPlanSheet&) = delete;
    TLinesPlanSheet& operator=(const TLinesPlanSheet&) = delete;

    // The paper in millimetres.
    double Width() const { return FOptions.Paper.Width; }
    double Height() const { return FOptions.Paper.Height; }
    // The denominator N of the sheet's scale 1:N.
    double Scale() const { return FScale; }
    // Millimetres on paper per length unit of the hull.
    double PaperPerUnit() const;

    // The whole sheet, in sheet coordinates, onto Device.
    void Draw(TGStream& Device) const;
    // The sheet as an SVG document measured in millimetres.
    std::string Svg() const;
    // The hull's lines as the sheet draws them, in model coordinates.
    const THullLines& Lines() const { return *FLines; }

private:
    struct TContent;
    struct TLayout;
    class TView;

    TLinesPlanOptions FOptions;
    double FScale = 0;
    std::unique_ptr<TContent> FContent;
    std::unique_ptr<THullLines> FLines;
    std::vector<std::unique_ptr<TView>> FViews;
    std::unique_ptr<TLegend> FLegend;

    TLayout Measure(double PaperPerUnit) const;
    double ChooseScale() const;
    void Place();
    TTitleBlock TitleBlock() const;
};
