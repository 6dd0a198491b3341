// The hydrostatics drawn as plots through a graphics stream in device units (y downwards), so the
// window, the printer and exported files share one drawing: the curves of form as panels of one
// quantity or a few against the draught, and the sectional-area curve.
#pragma once

#include "hydro/hydrostatics.h"

#include "geometry/color.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class TGStream;

// A rectangle of the device: its top-left corner and size.
struct TPlotArea {
    double X = 0, Y = 0, Width = 0, Height = 0;
};

// A curve of a panel: its points (horizontal, vertical value) and the colour it is drawn in.
struct TPlotSeries {
    std::string Name;
    TColor Color = clBlack;
    std::vector<std::pair<double, double>> Points;
};

// Lo .. Hi widened to whole steps of 1, 2 or 5 times a power of ten, about Ticks of them.
struct TPlotScale {
    double Lo, Hi, Step;
};
TPlotScale NiceScale(double Lo, double Hi, int Ticks);

// One panel: the title and a legend of the series above a framed plot with a grid, tick values on
// both axes and the axis names, and a line across it at the vertical value Mark labelled
// MarkName; nothing for series without points.
void DrawPanel(TGStream& S, const TPlotArea& Area, const std::string& Title,
               const std::string& XName, const std::string& YName,
               const std::vector<TPlotSeries>& Series, std::optional<double> Mark = {},
               const std::string& MarkName = "");

// The curves of form, one row of particulars per draught, as eight panels against the draught,
// with the design waterline marked.
void DrawCurvesOfForm(TGStream& S, const TPlotArea& Area,
                      const std::vector<THydroParticulars>& Curves, double DesignDraught);
// The sectional-area curve at Draught.
void DrawSectionalAreas(TGStream& S, const TPlotArea& Area, double Draught,
                        const std::vector<TSectionArea>& Curve);

// The particulars at one draught as labelled rows of text, as the window lists and the sheet
// prints them.
std::vector<std::pair<std::string, std::string>> ParticularRows(const THydroParticulars& H,
                                                                double Density);
// The whole sheet: the particulars at the design draught on the left, the curves of form and
// the sectional-area curve beside them.
void DrawHydrostaticsSheet(TGStream& S, const TPlotArea& Area, const THydroParticulars& Design,
                           double Density, const std::vector<THydroParticulars>& Curves,
                           const std::vector<TSectionArea>& Sections);
