// B-spline curves: evaluation, sampling and drawing, the coordinate searches, fitting, records.
#include "geometry/bspline.h"

#include "geometry/matrix.h"
#include "geometry/polylist.h"
#include "geometry/testsupport.h"

#include <climits>

namespace {

std::unique_ptr<TBSpline> Curve(int Order, const std::vector<std::array<double, 3>>& Points) {
    auto C = std::make_unique<TBSpline>(Order);
    for (const auto& P : Points) C->AddPoint(P[0], P[1], P[2]);
    return C;
}

const char* const OrderText = "Error in field BSpline.Order";

} // namespace

TEST(BSpline, FourPointsOfOrderFourAreTheBezierCurve) {
    auto C = Curve(4, {{0, 0, 0}, {1, 2, 0}, {3, 2, 1}, {4, 0, 2}});
    C->MakeKnots();
    EXPECT_EQ(C->KnotsToString(), "[0 0 0 0 1 1 1 1]");
    for (double t : {0.0, 0.3, 0.75, 1.0}) {
        const double s = 1 - t;
        EXPECT_NEAR(C->PointAt(t)->X, 3 * t * s * s + 9 * t * t * s + 4 * t * t * t, 1e-14);
    }
    const auto Samples = C->GetPolyline();
    ASSERT_EQ(Samples->Count(), 100);
    EXPECT_EQ(Samples->First().X, 0);
    EXPECT_EQ(Samples->Last().Z, 2);
}

TEST(BSpline, ForcedBezierTooFewPointsAndSampleCounts) {
    auto C = Curve(4, {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}, {4, 0, 0}, {5, 1, 0}});
    C->ForcedBezier = true;
    C->MakeKnots();
    EXPECT_EQ(C->Order, 6);
    C->SetOrder(4);
    EXPECT_FALSE(C->ForcedBezier);

    auto Short = Curve(4, {{0, 0, 0}, {1, 1, 0}});
    TLineRecorder S;
    Short->Draw(S);
    EXPECT_EQ(S.Lines.size(), 1u); // the control polygon
    EXPECT_EQ(Short->GetPolyline()->Count(), 2);

    C->Samples = 1;
    EXPECT_THROW(C->GetPolyline(), EGeometryError);
    EXPECT_THROW(C->Draw(S), EGeometryError);
}

TEST(BSpline, DrawsAndMapsAsACurveInsideACurveList) {
    TBSplineList List;
    List.AddPolyline(Curve(3, {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}}));
    TLineRecorder S;
    List.Draw(S);
    ASSERT_EQ(S.Lines.size(), 99u);
    EXPECT_EQ(S.Lines.back()[3], 3);
    TMatrix Shift(4, 4);
    Shift.Set(1, 4, 10);
    const auto Moved = List.TransformedCopy(Shift);
    auto& M = dynamic_cast<TBSpline&>(Moved->Polyline(0));
    EXPECT_EQ(M.Order, 3);
    EXPECT_EQ(M.At(3).X, 13);
}

TEST(BSpline, CoordinateSearch) {
    auto C = Curve(4, {{0, 0, 0}, {1, 2, 0}, {3, 3, 1}, {4, 1, 2}, {6, 0, 3}});
    EXPECT_NEAR(C->PointAtX(2.5)->X, 2.5, C->Tolerance);
    EXPECT_NEAR(C->PointAtZ(1.25)->Z, 1.25, C->Tolerance);
    EXPECT_FALSE(C->PointAtX(7));
    EXPECT_FALSE(C->PointAtX(-1));
    // A tolerance that can never be met ends after the capped number of halvings.
    C->Tolerance = 0;
    const auto R = C->PointAtX(std::nextafter(2.5, 3.0));
    ASSERT_TRUE(R);
    EXPECT_NEAR(R->X, 2.5, 1e-12);
}

TEST(BSpline, FitPassesThroughItsPoints) {
    const auto Points = Curve(2, {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}, {4, 0, 0}});
    const auto S = FitBSpline(4, *Points);
    EXPECT_NEAR(S->First().X, 0, 1e-12);
    EXPECT_NEAR(S->Last().X, 4, 1e-12);
    for (int j = 0; j < 5; ++j) { // equal chords: point j lies at the parameter j / 4 of the range
        const auto P = S->PointAt(j / 4.0 * S->TMax());
        EXPECT_NEAR(Distance(*P, Points->At(j)), 0, 1e-9);
    }
    // Too few points, impossible orders, coincident points.
    for (int Order : {4, 0, INT_MAX})
        ExpectMessage([=] { FitBSpline(Order, *Curve(2, {{0, 0, 0}, {1, 1, 0}})); }, FitErrorText);
    const auto Twice = Curve(2, {{0, 0, 0}, {1, 1, 0}, {1, 1, 0}, {2, 0, 0}});
    ExpectMessage([&] { FitBSpline(3, *Twice); }, FitErrorText);
}

TEST(BSpline, Records) {
    auto C = Curve(3, {{1.5, -2, 0.25}, {2, 0, 0}, {3, 1, 0}});
    EXPECT_EQ(RecordLines(*C),
              (std::vector<std::string>{"Order=3", "NumPoints=3", "     1.500    -2.000     0.250",
                                        "     2.000     0.000     0.000",
                                        "     3.000     1.000     0.000"}));
    C->KnotType = ktPeriodic;
    C->ForcedBezier = true;
    EXPECT_EQ(RecordLines(*C)[0] + RecordLines(*C)[1], "KnotType=PeriodicForcedBezier");

    C->ForcedBezier = false;
    C->KnotType = ktCustom;
    C->KnotsFromString("[0 0 0 0.5 1 1]");
    C->MinT = 0.25;
    C->MaxT = 1;
    const auto Lines = RecordLines(*C);
    EXPECT_EQ(
        std::vector<std::string>(Lines.begin(), Lines.begin() + 5),
        (std::vector<std::string>{"KnotType=Custom", "Knot=[0 0 0 0.5 1 1]",
                                  "MinTParameter=0.250001", "MaxTParameter=0.999999", "Order=3"}));
    TBSpline R(4);
    ReadRecord(R, Lines);
    EXPECT_EQ(R.KnotsToString(), "[0 0 0 0.5 1 1]");
    EXPECT_NEAR(R.MinT, 0.250001, 1e-7); // moved inward, cut to six decimals
    EXPECT_NEAR(R.MaxT, 0.999998, 1e-7); // 0.999999 in single precision, cut
    EXPECT_EQ(R.At(0).Y, -2);
    ReadRecord(R, {"KnotType=Custom", "Knot=[0 1]", "MinTParameter=1E-6", "MaxTParameter=2",
                   "ForcedBezier", "Order=2", "NumPoints=0"});
    EXPECT_EQ(R.MinT, 0);
    EXPECT_TRUE(R.ForcedBezier);

    C->KnotType = ktNonUniform;
    ExpectMessage([&] { RecordLines(*C); }, CurveRangeErrorText);
    // Malformed fields, values beyond single precision, orders outside 1 ... MaxOrder.
    const std::vector<std::pair<std::vector<std::string>, std::string>> Bad{
        {{"ForcedBezier ", "Order=3"}, OrderText},
        {{"KnotType=Custom", "Knot=[0 1]", "MinTParameter=a"},
         "Error in field BSpline.MinTParameter"},
        {{"KnotType=Custom", "Knot=[1E39]"}, OverflowText},
        {{"KnotType=Custom", "Knot=[0]", "MinTParameter=-1E39"}, OverflowText},
        {{"Order=0", "NumPoints=0"}, OrderText},
        {{"Order=-3", "NumPoints=0"}, OrderText},
        {{"Order=2147483647", "NumPoints=0"}, OrderText},
        {{"Order=501", "NumPoints=0"}, OrderText}};
    for (const auto& [Record, Text] : Bad) ExpectReadFails(R, Record, Text);
    // The flag makes the point count the order.
    std::vector<std::string> Bezier{"ForcedBezier", "Order=4", "NumPoints=501"};
    Bezier.insert(Bezier.end(), 501, "0 0 0");
    TBSpline Fresh(2);
    ExpectReadFails(Fresh, Bezier, OrderText);
}
