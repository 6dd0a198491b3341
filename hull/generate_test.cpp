// Tests of the hull construction: the layout of the defaults, the curves, the generated net, the
// diagnostics and the robustness of generation across the parameter space.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/gstream.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A model that keeps what its hooks report.
class TRecordingKeelvane : public TKeelvane {
public:
    std::vector<std::string> Statuses, Messages;
    std::vector<int> Progress;
    int Done = 0;

    void ShowStatus(const std::string& Text) override { Statuses.push_back(Text); }
    void ShowProgress(int Percent) override { Progress.push_back(Percent); }
    void ShowMessage(const std::string& Text) override { Messages.push_back(Text); }
    void GenerationDone() override { ++Done; }
};

bool NetIsFinite(const TKeelvane& K) {
    for (int i = 0; i < K.NumU; ++i)
        for (int j = 0; j < K.NumV; ++j) {
            const TRPoint& P = K.Point(i, j);
            if (!std::isfinite(P.X) || !std::isfinite(P.Y) || !std::isfinite(P.Z)) return false;
        }
    return true;
}

} // namespace

TEST(HullLayout, DefaultsGiveTheDocumentedFlatsAndColumns) {
    TKeelvane K;
    EXPECT_NEAR(K.MidBodyAft(), 31.10, 0.005);
    EXPECT_NEAR(K.MidBodyFwd(), 63.42, 0.005);
    EXPECT_EQ(K.LastMidColumn(), 14);
    EXPECT_EQ(K.NumColumns(), 23);
    ASSERT_EQ(K.Columns().Count(), 23);
    EXPECT_NEAR(K.Columns().Polyline(3).GetXPosition(), 2.83, 1e-9);
    EXPECT_NEAR(K.Columns().Polyline(8).GetXPosition(), 30.075, 0.005);
    // The middle body ends at the fore end of the flat of side plus half the bilge radius.
    EXPECT_NEAR(K.Columns().Polyline(14).GetXPosition(), K.MidBodyFwd() + 2.05 / 2, 1e-9);
    EXPECT_EQ(K.NumU, 23);
    EXPECT_EQ(K.NumV, 12);
}

TEST(HullCurves, EveryCurveHasItsPointCount) {
    for (std::uint8_t Shape : {0, 1}) {
        TRecordingKeelvane K;
        K.SetBowShape(Shape);
        K.Generate();
        EXPECT_EQ(K.AftCutLine().Count(), 2);
        EXPECT_EQ(K.ForeCutLine().Count(), 2);
        EXPECT_EQ(K.StemProfile().Count(), 12);
        EXPECT_EQ(K.SternProfile().Count(), 9);
        EXPECT_EQ(K.SternFrame().Count(), 24);
        EXPECT_EQ(K.AftDeckLine().Count(), 7);
        EXPECT_EQ(K.DeckLine().Count(), 10 + (K.NumColumns() - 3 - K.LastMidColumn() + 1) + 2);
        EXPECT_EQ(K.MidshipSection().Count(), 12);
        EXPECT_EQ(K.Transom().Count(), 12);
        EXPECT_EQ(K.ForeFlatBoundary().Count(), 9);
        EXPECT_EQ(K.AftFlatBoundary().Count(), 9);
        EXPECT_EQ(K.BowConstructionLine().Count(), 9);
        EXPECT_EQ(K.ForeWaterlines().Count(), 11);
        EXPECT_EQ(K.AftWaterlines().Count(), 9);
        EXPECT_EQ(K.BossSideLine().Count(), 9);
        EXPECT_EQ(K.SternKeelLine().Count(), 5);
        EXPECT_EQ(K.AftSections().Count(), 5);
    }
}

TEST(HullCurves, StemAndTransomLandOnTheirDesignPoints) {
    TKeelvane K;
    const TBSpline& Stem = K.StemProfile();
    // The waterline point of the stem (local origin) and the stem head at the deck.
    EXPECT_NEAR(Stem.At(6).X, 100.0, 1e-9);
    EXPECT_NEAR(Stem.At(6).Z, 4.172, 1e-9);
    EXPECT_NEAR(Stem.At(11).X, 102.0, 1e-9);
    EXPECT_NEAR(Stem.At(11).Z, 9.5, 1e-9);
    const TBSpline& Transom = K.Transom();
    EXPECT_NEAR(Transom.At(11).X, -5.0, 1e-12);
    EXPECT_NEAR(Transom.At(11).Y, 6.0, 1e-9);
    EXPECT_NEAR(Transom.At(11).Z, 9.5, 1e-9);
    EXPECT_NEAR(Transom.At(0).Z, 5.032, 1e-9);
}

// At the defaults the guide passes (93.45, 8.4117) with dx/dy = 17.1/12.6175 and reaches the
// keel at x 82.05; it meets the flat-bottom edge from (76, 7.95) to the fore foot (98.434 plain,
// the bulb column 94.5 bulbous) at y 3.9223 and 3.3810.
TEST(HullCurves, BowGuideCrossesTheFlatBottomEdgeInsideTheEntrance) {
    for (const auto& [Shape, Width] : {std::pair{0, 3.9223 * 4 / 3}, std::pair{1, 3.3810}}) {
        TKeelvane K;
        K.SetBowShape(static_cast<std::uint8_t>(Shape));
        K.Generate();
        EXPECT_NEAR(K.BowWidthAux(), Width, 1e-3) << "bow " << Shape;
        const TBSpline& Guide = K.BowConstructionLine();
        EXPECT_NEAR(Guide.At(8).X, 82.050, 1e-3);
        EXPECT_NEAR(Guide.At(6).Y, Width, 1e-3);
        for (int i = 0; i < Guide.Count(); ++i) {
            EXPECT_GE(Guide.At(i).Y, 0.0) << i;
            EXPECT_LT(Guide.At(i).X, K.ForeFlatBoundary().At(8).X) << i;
        }
    }
}

TEST(HullGenerate, DefaultsGiveAFullNetWithStatusAndProgress) {
    TRecordingKeelvane K;
    K.Generate();
    EXPECT_EQ(K.Statuses,
              (std::vector<std::string>{"Creating Curves", "Creating Columns", "Creating Mesh"}));
    EXPECT_EQ(K.Progress, (std::vector<int>{0, 10, 15, 17, 19, 21, 23, 25, 27, 33, 38, 45, 50, 55,
                                            60, 66, 80, 100}));
    EXPECT_EQ(K.Done, 1);
    EXPECT_TRUE(K.Messages.empty()) << K.Messages.front();
    ASSERT_EQ(K.NumU, 23);
    ASSERT_EQ(K.NumV, 12);
    EXPECT_EQ(K.Count(), 23 * 12);
    for (int c = 0; c < K.NumColumns(); ++c)
        EXPECT_EQ(K.Columns().Polyline(c).Count(), 12) << "column " << c;
    EXPECT_TRUE(NetIsFinite(K));

    // Stern columns close onto the centre plane in rows 0 .. 6.
    for (int c = 0; c <= 3; ++c)
        for (int j = 1; j <= 6; ++j) EXPECT_TRUE(SamePoint(K.Point(c, j), K.Point(c, 0)));

    // Outside the rows the run replaces, the net is the columns.
    for (int c : {0, 9, 14, 22})
        for (int j = 0; j < 12; ++j)
            EXPECT_TRUE(SamePoint(K.Point(c, j), K.Columns().Polyline(c).At(j)));
}

TEST(HullGenerate, CreatingTheNetAgainGivesTheSameNet) {
    TKeelvane K;
    K.Generate();
    std::vector<TRPoint> First;
    for (int i = 0; i < K.Count(); ++i) First.push_back(K.Point(i % 23, i / 23));
    K.Generate();
    for (int i = 0; i < K.Count(); ++i)
        EXPECT_TRUE(SamePoint(First[static_cast<std::size_t>(i)], K.Point(i % 23, i / 23)));
}

TEST(HullGenerate, BulbousBowGeneratesWithTheBulbAtTheStem) {
    TRecordingKeelvane K;
    K.SetBowShape(1);
    K.Generate();
    EXPECT_EQ(K.NumU, K.NumColumns());
    EXPECT_TRUE(NetIsFinite(K));
    const int Stem = K.NumColumns() - 1;
    // The bulb reaches forward of the perpendicular by BulbLength.
    EXPECT_NEAR(K.Point(Stem, 2).X, 101.8, 1e-9);
    EXPECT_NEAR(K.Point(Stem - 3, 2).Y, 1.92, 1e-9);
}

// Filling the fore columns from the waterlines starts behind the rows the stem steps wrote: the
// plain bow's column beside the stem side keeps its two keel rows at the stem's foot.
TEST(HullGenerate, ForeColumnsKeepTheRowsTheStemStepsWrote) {
    TKeelvane K;
    K.Generate();
    const TRPoint& Foot = K.StemProfile().At(2);
    const TPolyline& F = K.Columns().Polyline(K.NumColumns() - 3);
    EXPECT_TRUE(SamePoint(F.At(0), TRPoint(Foot.X, 0, 0)));
    EXPECT_TRUE(SamePoint(F.At(1), TRPoint(Foot.X, 0.1, 0)));
    const TPolyline& Stem = K.Columns().Polyline(K.NumColumns() - 1);
    for (int j = 0; j < 12; ++j) EXPECT_TRUE(SamePoint(Stem.At(j), K.StemProfile().At(j))) << j;
}

// Above the deck no waterline exists: the half-breadth stays and the point is reported.
TEST(HullGenerate, HalfBreadthOutsideTheWaterlinesKeepsYAndReportsThePoint) {
    TRecordingKeelvane K;
    K.Generate();
    EXPECT_DOUBLE_EQ(K.HalfBreadthAt(TRPoint(8.5, 3.25, 12)), 3.25);
    EXPECT_EQ(K.Messages, std::vector<std::string>{"Error: 8.5 3.25 12"});
}

TEST(HullGenerate, ImpossibleParametersRaiseANamedMessageAndTheModelRecovers) {
    TKeelvane K;
    try {
        K.SetDepth(4.0);
        FAIL() << "a depth below the draught was accepted";
    } catch (const EKeelvaneError& E) {
        EXPECT_STREQ(E.what(), "Depth must be greater than Draught");
    }
    EXPECT_THROW(K.Generate(), EGeometryError);
    K.SetDepth(9.5);
    K.Generate();
    EXPECT_TRUE(NetIsFinite(K));

    TKeelvane Z;
    EXPECT_THROW(Z.SetBeam(0), EGeometryError);
    EXPECT_THROW(Z.SetTransomImmersion(-6), EGeometryError); // lower edge above the deck
    EXPECT_THROW(Z.SetLbp(0), EGeometryError);
    EXPECT_DOUBLE_EQ(Z.Parameters().Lbp, 100.0); // a zero length never scales anything
}

TEST(HullDiagnostics, ExportGoesToTheChosenFolderOnlyAndNeverFailsGeneration) {
    TScratchFolder Scratch;
    const auto& Folder = Scratch.Path();
    TRecordingKeelvane K;
    K.Generate();
    EXPECT_TRUE(std::filesystem::is_empty(Folder));

    K.DiagnosticsFolder = Folder.string();
    K.Generate();
    std::ifstream In(Folder / K.DiagnosticsExportName);
    std::string First;
    std::getline(In, First);
    EXPECT_EQ(First, "[TBSpline]\r");

    // A waterline lifted clear of a run section: both crossing partners are left for study.
    TKeelvane Lifted;
    Lifted.DiagnosticsFolder = Folder.string();
    Lifted.SetTransomImmersion(3);
    try {
        Lifted.Generate();
        ADD_FAILURE() << "no intersection error";
    } catch (const EGeometryError& E) {
        EXPECT_STREQ(E.what(), "Error in intersections");
    }
    EXPECT_TRUE(std::filesystem::exists(Folder / "LiError1.geo"));
    EXPECT_TRUE(std::filesystem::exists(Folder / "LiError2.geo"));

    K.DiagnosticsFolder = (Folder / "missing").string();
    K.Generate();
    ASSERT_EQ(K.Messages.size(), 1u);
    EXPECT_EQ(K.Messages[0].rfind("Warning: ", 0), 0u);
    EXPECT_EQ(K.Count(), 23 * 12);
}

TEST(HullColumns, IntersectOnceNeedsExactlyOneCrossing) {
    TPolyline Section, Waterline;
    Section.AddPoint(0, 0, 10);
    Section.AddPoint(0, 0, 0);
    Waterline.AddPoint(-1, 0, 20);
    Waterline.AddPoint(1, 0, 20);
    try {
        TKeelvane::IntersectOnce(Section, Waterline);
        FAIL();
    } catch (const EGeometryError& E) {
        EXPECT_STREQ(E.what(), "0 intersection(s) found");
    }
    Waterline.Point(0).Z = 5;
    Waterline.Point(1).Z = 5;
    auto Below = TKeelvane::IntersectOnce(Section, Waterline);
    ASSERT_TRUE(Below);
    for (int i = 0; i < Below->Count(); ++i) EXPECT_LE(Below->At(i).Z, 5.0 + 1e-9);
}

// Every parameter moved by 10 % and 30 % either way, for both bows and both length
// transformations: a finite net or a clear message, never a crash or a hang.
TEST(HullRobustness, ParameterSweepGeneratesFiniteNetsOrClearMessages) {
    int Generated = 0, Refused = 0;
    for (std::uint8_t Shape : {0, 1})
        for (TTransformMode Mode : {tmGeosim, tmLengthOnly})
            for (int i = 1; i < TKeelvane::ParameterCount; ++i)
                for (double f : {0.7, 0.9, 1.1, 1.3}) {
                    TRecordingKeelvane K;
                    K.TransformMode = Mode;
                    const std::string Case = std::string(TKeelvane::ParameterKey(i)) + " x" +
                                             std::to_string(f) + " bow " + std::to_string(Shape) +
                                             " mode " + std::to_string(Mode);
                    try {
                        K.SetBowShape(Shape);
                        K.SetParameterValue(i, K.ParameterValue(i) * f);
                        K.Generate();
                        EXPECT_TRUE(NetIsFinite(K)) << Case;
                        EXPECT_EQ(K.Count(), K.NumColumns() * 12) << Case;
                        ++Generated;
                    } catch (const EKeelvaneError& E) {
                        EXPECT_GT(std::string(E.what()).size(), 0u) << Case;
                        ++Refused;
                    }
                }
    EXPECT_EQ(Generated + Refused, 2 * 2 * 26 * 4);
    EXPECT_GT(Generated, Refused);
}

namespace {
class TLineCounter : public TGStream {
public:
    int Lines = 0;
    void Line(double, double, double, double, double, double) override { ++Lines; }
};
} // namespace

TEST(HullDrawing, TheNetDrawsAsAGridAndThePreviewAsConstructionLines) {
    TKeelvane K;
    K.Generate();
    TLineCounter Net;
    K.Draw(Net);
    EXPECT_EQ(Net.Lines, 23 * 11 + 12 * 22);
    TLineCounter Preview;
    K.DrawPreview(Preview);
    // The construction line and eleven waterlines as sampled curves, and the columns.
    EXPECT_EQ(Preview.Lines, 12 * 99 + 23 * 11);
}
