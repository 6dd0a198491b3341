// The plots of the hydrostatics: scales of whole steps, and the design waterline's name kept off
// the curves.
#include "hydro/plots.h"

#include "geometry/gstream.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Records where each text goes, in a device whose characters are 6 x 10 units.
class TTextRecorder : public TGStream {
public:
    std::map<std::string, double> Left;
    void Text(const std::string& S, double X, double, double) override { Left[S] = X; }
    double TextHeight(const std::string&) override { return 10; }
    double TextWidth(const std::string& S) override { return 6.0 * static_cast<double>(S.size()); }
};

// Where the name of the mark at draught 5 goes in a 400-unit-wide panel of the curves, whose
// values run from 0.6 to 1 (the right end of the line: 371.5).
double MarkAt(std::vector<TPlotSeries> Curves) {
    TTextRecorder S;
    Curves.push_back({"Base", clBlack, {{0.6, 0}, {1.0, 0}}});
    DrawPanel(S, {0, 0, 400, 300}, "Form coefficients", "", "T", Curves, 5.0, "DWL");
    EXPECT_EQ(S.Left.count("DWL"), 1u);
    return S.Left["DWL"];
}

TEST(PlotsTest, ScalesTakeWholeStepsAroundTheValues) {
    const TPlotScale A = NiceScale(0.63, 0.99, 4);
    EXPECT_DOUBLE_EQ(A.Step, 0.1);
    EXPECT_DOUBLE_EQ(A.Lo, 0.6);
    EXPECT_DOUBLE_EQ(A.Hi, 1.0);
    const TPlotScale B = NiceScale(1250, 15800, 3);
    EXPECT_EQ(B.Step, 5000);
    EXPECT_EQ(B.Lo, 0);
    EXPECT_EQ(B.Hi, 20000);
    // A single value still gets a range around it.
    const TPlotScale C = NiceScale(4, 4, 4);
    EXPECT_LT(C.Lo, 4);
    EXPECT_GT(C.Hi, 4);
}

TEST(PlotsTest, TheMarksNameStaysOffTheCurves) {
    const TPlotSeries Aft{"Cb", clBlack, {{0.61, 0}, {0.63, 10}}};
    const TPlotSeries Fore{"Cm", clBlack, {{0.98, 0}, {1.0, 10}}};
    const TPlotSeries Middle{"Cp", clBlack, {{0.7, 0}, {0.75, 10}}};
    // At the right end of the line while that is clear, else at the clear place nearest to it;
    // where the curves leave no room it stays at the right end.
    EXPECT_GT(MarkAt({Aft, Middle}), 370);
    const double Beside = MarkAt({Aft, Fore});
    EXPECT_GT(Beside, 350);
    EXPECT_LT(Beside, 365);
    const double Across = MarkAt({Aft, Fore, {"Cwp", clBlack, {{0.8, 5}, {1.0, 5.4}}}});
    EXPECT_GT(Across, 39);
    EXPECT_LT(Across, 184);
    EXPECT_GT(MarkAt({Aft, Fore, {"Cm", clBlack, {{0.6, 5.2}, {1.0, 5.2}}}}), 370);
    // A curve that passes the right end above the name's height does not move it.
    EXPECT_GT(MarkAt({Aft, {"Cm", clBlack, {{0.7, 0}, {0.8, 6}, {0.99, 10}}}}), 300);
}

} // namespace
