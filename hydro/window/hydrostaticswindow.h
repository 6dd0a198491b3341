// The hydrostatics window: the particulars of a hull at its design draught, its curves of form
// from a tenth of the draught to the depth and its sectional-area curve, printed and exported on
// one page with the same drawing.
#pragma once

#include "hydro/hydrostatics.h"
#include "hydro/plots.h"

#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QPaintDevice;
class QTableWidget;
class TBSplineSurface;

// A widget that shows a plot drawn through a graphics stream, black on white as on paper.
class TPlotView : public QWidget {
public:
    using TDraw = std::function<void(TGStream& S, const TPlotArea& Area)>;
    TPlotView(TDraw Draw, QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TDraw FDraw;
};

class THydrostaticsWindow : public QWidget {
public:
    // Curves of form drawn over this many draughts.
    static constexpr int CurveDraughts = 20;
    static constexpr int Sections = 41;

    explicit THydrostaticsWindow(QWidget* Parent = nullptr);

    // Computes everything anew from Surface: particulars at Draught (midship section at
    // MidshipX), curves of form from Draught / 10 to Depth (or the top edge of the hull when
    // that is lower), the sectional-area curve. A hull without an answer (not generated, a
    // draught refused) shows why instead.
    void Refresh(TBSplineSurface& Surface, double Draught, double Depth, double MidshipX);
    // Clears the particulars and plots and shows Why instead.
    void ShowWhyNot(const QString& Why);
    // The message shown instead of the particulars; empty when they are shown.
    QString Message() const;
    // The particulars at the design draught, and the curves of form, of the last computation.
    const THydroParticulars& Design() const { return FDesign; }
    const std::vector<THydroParticulars>& Curves() const { return FCurves; }

    // The sheet on one page of Device (a printer, a PDF or SVG writer).
    void PrintOn(QPaintDevice& Device);

private:
    QTableWidget* FTable;
    QLabel* FMessage;
    TPlotView* FCurvesView;
    TPlotView* FSectionsView;
    double FDensity = 1.025;
    THydroParticulars FDesign;
    std::vector<THydroParticulars> FCurves;
    std::vector<TSectionArea> FSections;

    void ShowParticulars();
    void PrintDialog();
    void ExportDialog();
};
