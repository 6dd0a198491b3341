// Knot vectors and basis values: the fast evaluation against the plain recursion, the knot kinds,
// ranges and text form.
#include "geometry/bspline.h"
#include "geometry/maths.h"
#include "geometry/testsupport.h"

#include <random>

namespace {

// Basis values and curve points at the knots and at parameters across and beyond the range.
void ExpectMatchesReference(TBSpline& C) {
    const int n = C.Count(), k = C.Order, m = n + k;
    std::vector<double> Knot(static_cast<std::size_t>(m + 1));
    for (int i = 1; i <= m; ++i) Knot[i] = C.Knot(i);
    std::vector<double> Ts(Knot.begin() + 1, Knot.end());
    for (int s = -5; s <= 105; ++s) Ts.push_back(Knot[1] + (Knot[m] - Knot[1]) * s / 100.0);
    for (double t : Ts) {
        const auto N = ReferenceBasis(Knot, n, k, t);
        const auto P = C.PointAt(t);
        double X = 0;
        for (int i = 1; i <= n; ++i) {
            EXPECT_NEAR(C.Basis(i), N[i], 1e-12) << "t=" << t << " i=" << i;
            if (N[i] > 0) X += N[i] * C.At(i - 1).X;
        }
        EXPECT_NEAR(P->X, X, 1e-12) << "t=" << t;
    }
}

} // namespace

TEST(KnotVector, FastBasisEqualsRecursionForEveryKnotKind) {
    std::mt19937 Random(7);
    std::uniform_real_distribution<double> Coord(-10, 10), Step(0, 1);
    for (std::uint8_t Kind : {ktOpen, ktPeriodic, ktCustom})
        for (int k = 1; k <= 5; ++k) {
            TBSpline C(k);
            C.KnotType = Kind;
            for (int i = 0; i < 9; ++i) C.AddPoint(Coord(Random), Coord(Random), Coord(Random));
            C.MakeKnots();
            ExpectMatchesReference(C);
            // Custom knots: sorted with repeated values, then scrambled.
            for (int Pass = 0; Kind == ktCustom && Pass < 2; ++Pass) {
                double Knot = 0;
                for (int i = 1; i <= 9 + k; ++i) {
                    if (Pass == 1 || Step(Random) > 0.3)
                        Knot += Pass == 0 ? Step(Random) : Coord(Random);
                    C.SetKnot(i, Knot);
                }
                ExpectMatchesReference(C);
            }
        }
}

TEST(KnotVector, OpenAndPeriodicVectorsAndRanges) {
    TBSpline C(4);
    for (int i = 0; i < 5; ++i) C.AddPoint(i, 0, 0);
    C.MakeKnots();
    EXPECT_EQ(C.KnotsToString(), "[0 0 0 0 1 2 2 2 2]");
    C.SetOrder(3);
    C.AddPoint(5, 0, 0);
    C.MakeKnots();
    EXPECT_EQ(C.KnotsToString(), "[0 0 0 1 2 3 4 4 4]");
    EXPECT_EQ(std::vector<double>({C.TMin(), C.TMax()}), std::vector<double>({0, 4}));
    for (double t = 0; t <= 4; t += 0.125) { // partition of unity
        C.ComputeBasis(t);
        double Sum = 0;
        for (int i = 1; i <= 6; ++i) Sum += C.Basis(i);
        EXPECT_NEAR(Sum, 1, 1e-15) << t;
    }
    EXPECT_EQ(C.Basis(6), 1); // the end of the range: only the last function
    EXPECT_EQ(C.Basis(5), 0);

    C.KnotType = ktPeriodic;
    C.Delete(5);
    C.MakeKnots();
    EXPECT_EQ(C.KnotsToString(), "[0 1 2 3 4 5 6 7]");
    EXPECT_EQ(std::vector<double>({C.TMin(), C.TMax()}), std::vector<double>({2, 5}));
    C.KnotType = ktNonUniform;
    ExpectMessage([&] { C.TMin(); }, "Undefinied Parameter range for BSpline");
}

TEST(KnotVector, TextForm) {
    TBSpline C(2);
    C.AddPoint(0, 0, 0);
    C.KnotsFromString("Knot=[0 0.5 1]");
    EXPECT_EQ(C.KnotsToString(), "[0 0.5 1]");
    C.KnotsFromString("[0.1234567 2]");
    EXPECT_EQ(C.Knot(1), TruncDecimals(6, 0.1234567f));
    EXPECT_EQ(C.Knot(3), 1); // words beyond the text keep their values
    EXPECT_THROW(C.KnotsFromString("[0 x]"), EConvertError);
    EXPECT_EQ(KnotTypeFromText("KnotType=Custom", ""), ktCustom);
    EXPECT_EQ(KnotTypeFromText("nonuniform", ""), ktNonUniform);
    ExpectMessage([&] { C.KnotTypeByString("KnotType=Spline"); },
                  "TBSpline.KnotTypeByString - Unknown knotType");
}
