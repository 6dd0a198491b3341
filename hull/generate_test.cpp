// Tests of the hull construction: the layout of the defaults, the curves, the generated net, the
// diagnostics and the robustness of generation across the parameter space.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/gstream.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
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

// With the defaults the run starts a = 5 + 1.53 + 1.3 + 2.05 / 2 = 8.855 forward of the aft end;
// the middle body may not reach beyond 0.2 L to 0.8 L, and the flat of side follows it back.
TEST(HullLayout, TheMiddleBodyStaysWithinTheFifthsOfTheLength) {
    const double a = 8.855, r = 2.05;
    TKeelvane K;
    K.SetFOSBow(74); // a middle body to 77.42: within its limit
    EXPECT_NEAR(K.MidBodyFwd(), 74 + (40 - a) / 7 - r / 2, 1e-9);
    EXPECT_DOUBLE_EQ(K.Parameters().FOSBow, 74);
    K.SetFOSBow(85);
    const double d = ((40 - a) * 5 / 7 + a - a) / 5;
    EXPECT_NEAR(K.MidBodyFwd(), 80, 1e-9);
    EXPECT_NEAR(K.Parameters().FOSBow, 80 - (d - r / 2), 1e-9);
    K.SetFOSAft(5);
    EXPECT_NEAR(K.MidBodyAft(), 20, 1e-9);
    EXPECT_NEAR(K.Parameters().FOSAft, (20 - a) * 7 / 5 + a, 1e-9);
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

// The local stem and transom chains are turned into place by proper rotations: local (u, w)
// lands at u along the straight stem (or transom edge) and w across it, turned a right angle
// further on.
TEST(HullCurves, RotationsTurnTheLocalChainsIntoPlace) {
    const double pi = std::numbers::pi;
    TKeelvane K;
    K.SetBowCurvature(40); // a curvature that is no symmetric case
    const double h = 9.5 - 4.172, Theta = std::atan2(h, 2.0), Ls = std::hypot(2.0, h);
    const double g = (pi / 2 - Theta) * 0.4, tg = std::tan(g), tgh = std::tan(g / 2);
    const double Below = 4.172 / std::cos(pi / 2 - Theta - g), f = std::tan((g + Theta) / 2) * 2;
    const double q = -(Below - f / 2), p = -(Below - f);
    const double Stem[9][2] = {{q * std::cos(g), q * std::sin(g)},
                               {p * std::cos(g), p * std::sin(g)},
                               {p / 2 * std::cos(g), p / 2 * std::sin(g)},
                               {0, 0},
                               {Ls / 5, tg * Ls / 5},
                               {2 * Ls / 5, (tg + tgh) * Ls / 5},
                               {3 * Ls / 5, (tg + tgh) * Ls / 5},
                               {4 * Ls / 5, tg * Ls / 5},
                               {Ls, 0}};
    for (int i = 0; i < 9; ++i) {
        const auto [u, w] = Stem[i];
        const TRPoint& P = K.StemProfile().At(3 + i);
        EXPECT_NEAR(P.X, 100 + u * std::cos(Theta) - w * std::sin(Theta), 1e-9) << i;
        EXPECT_NEAR(P.Y, 0, 1e-12) << i;
        EXPECT_NEAR(P.Z, 4.172 + u * std::sin(Theta) + w * std::cos(Theta), 1e-9) << i;
    }

    K.SetTransomCurvature(-30);
    const double zt = 5.032, ht = 9.5 - zt, Lt = std::hypot(6.0, ht), a = std::atan(ht / 6);
    const double k = -0.3 * a, tk = std::tan(k), tkh = std::tan(k / 2);
    const double Edge[5][2] = {{Lt / 5, -tk * Lt / 5},
                               {2 * Lt / 5, -(tkh + tk) * Lt / 5},
                               {3 * Lt / 5, -(tkh + tk) * Lt / 5},
                               {4 * Lt / 5, -tk * Lt / 5},
                               {Lt, 0}};
    for (int j = 0; j < 12; ++j) {
        const auto [u, w] =
            j < 7 ? std::array<double, 2>{0, 0} : std::array{Edge[j - 7][0], Edge[j - 7][1]};
        const TRPoint& P = K.Transom().At(j);
        EXPECT_NEAR(P.X, -5, 1e-12) << j;
        EXPECT_NEAR(P.Y, u * std::cos(a) - w * std::sin(a), 1e-9) << j;
        EXPECT_NEAR(P.Z, zt + u * std::sin(a) + w * std::cos(a), 1e-9) << j;
    }
}

// Control point (c, j) is column c's point j but for the aft run, whose half-breadths follow the
// waterlines, and the two boss points of column 8 refaired along their rows.
TEST(HullGenerate, TheNetIsTheColumnsButForTheRunItFollowsTheWaterlines) {
    const auto FollowsWaterlines = [](int c, int j) {
        return (c >= 4 && c <= 8 && j >= 5) || (c >= 4 && c <= 7 && (j == 3 || j == 4)) ||
               (c == 4 && j == 2);
    };
    for (std::uint8_t Shape : {0, 1}) {
        TKeelvane K;
        K.SetBowShape(Shape);
        K.Generate();
        for (int c = 0; c < K.NumU; ++c)
            for (int j = 0; j < K.NumV; ++j) {
                SCOPED_TRACE("bow " + std::to_string(Shape) + " point " + std::to_string(c) + ", " +
                             std::to_string(j));
                const TRPoint& P = K.Point(c, j);
                const TRPoint& Q = K.Columns().Polyline(c).At(j);
                if (c == 8 && (j == 3 || j == 4)) {
                    TBSpline Row(4);
                    for (int i : {6, 7, 9, 10}) Row.AddCopy(&K.Point(i, j));
                    EXPECT_EQ(P.X, (K.Point(7, j).X + K.Point(9, j).X) / 2);
                    const auto OnRow = Row.PointAtX(P.X);
                    ASSERT_TRUE(OnRow) << "the row has no point at x " << P.X;
                    EXPECT_EQ(P.Y, OnRow->Y);
                    EXPECT_EQ(P.Z, Q.Z);
                } else if (FollowsWaterlines(c, j)) {
                    EXPECT_EQ(P.X, Q.X);
                    EXPECT_EQ(P.Y, K.HalfBreadthAt(Q));
                    EXPECT_NE(P.Y, Q.Y);
                    EXPECT_EQ(P.Z, Q.Z);
                } else {
                    EXPECT_EQ(P.X, Q.X);
                    EXPECT_EQ(P.Y, Q.Y);
                    EXPECT_EQ(P.Z, Q.Z);
                }
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

// A draught close to the depth puts the produced stem's foot aft of the first bow columns: the
// lowest fore waterlines start aft of them and their rows would stay at the origin.
TEST(HullGenerate, ForeRowsNoWaterlineReachesRefuseTheGeneration) {
    for (const auto& [Shape, Text] :
         {std::pair<std::uint8_t, std::string>{0, "column 19, rows 1-4"},
          {1, "column 18, row 1"}}) {
        TKeelvane K;
        K.SetBowShape(Shape);
        K.SetDraught(8.344);
        try {
            K.Generate();
            ADD_FAILURE() << "generated with unset rows, bow " << int(Shape);
        } catch (const EGeometryError& E) {
            EXPECT_EQ(E.what(), "The fore waterlines do not reach " + Text +
                                    ": the stem's foot lies aft of it. Check Draught against "
                                    "Depth, ForeOverHang, BowCurvature and ForeFootRadius");
        }
        // The model stays usable: mended, it generates the hull it would have.
        K.SetDraught(4.172);
        K.Generate();
        TKeelvane Fresh;
        Fresh.SetBowShape(Shape);
        Fresh.Generate();
        ASSERT_EQ(K.Count(), Fresh.Count());
        for (int c = 0; c < K.NumU; ++c)
            for (int j = 0; j < K.NumV; ++j)
                EXPECT_TRUE(SamePoint(K.Point(c, j), Fresh.Point(c, j))) << c << " " << j;
    }
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
