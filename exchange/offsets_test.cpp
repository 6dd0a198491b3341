// The table of offsets against surfaces whose half-breadths are known in closed form, and its CSV.
#include "exchange/offsets.h"

#include "geometry/bsurface.h"
#include "geometry/errors.h"

#include "geometry/testsupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// A Bezier patch of order 3 x 3 with x = 10 u and the given z and y controls along v (the same in
// every column but for Lift, added to y at the middle column).
std::unique_ptr<TBSplineSurface> Patch(const double (&Z)[3], const double (&Y)[3], double Lift) {
    auto S = std::make_unique<TBSplineSurface>(3, 3);
    S->OrderU = S->OrderV = 3;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) S->SetPoint(i, j, TRPoint(5 * i, Y[j] + (i == 1) * Lift, Z[j]));
    return S;
}

} // namespace

TEST(OffsetsTest, HalfBreadthsAreTheSurfacesAtStationAndWaterline) {
    // z = 2 v, and y varies with both parameters: the half-breadth at (x, z) is the surface's
    // y at u = x / 10, v = z / 2.
    const auto S = Patch({0, 1, 2}, {1, 2, 4}, 1.5);
    const std::vector<double> X{0, 2.5, 7, 10}, Z{0, 0.3, 1, 1.9, 2};
    const auto Table = TableOfOffsets(*S, X, Z);
    for (std::size_t a = 0; a < X.size(); ++a)
        for (std::size_t b = 0; b < Z.size(); ++b) {
            const auto y = Table->HalfBreadths[a][b];
            ASSERT_TRUE(y) << X[a] << " " << Z[b];
            EXPECT_NEAR(*y, S->PointAt(X[a] / 10, Z[b] / 2)->Y, 1e-10) << X[a] << " " << Z[b];
        }
}

TEST(OffsetsTest, TheOutermostOfSeveralCrossingsAndNoneWhereTheyDoNotMeet) {
    // z = 4 (v - 1/2)^2 and y = v: the waterline z meets each station twice, at
    // v = 1/2 -+ sqrt(z) / 2, and the outermost is the greater v.
    const auto S = Patch({1, -1, 1}, {0, 0.5, 1}, 0);
    const auto Table = TableOfOffsets(*S, {5, 12}, {0.25, 0.64, 1.5});
    const auto& Row = Table->HalfBreadths[0];
    ASSERT_TRUE(Row[0] && Row[1]);
    EXPECT_NEAR(*Row[0], 0.75, 1e-10);
    EXPECT_NEAR(*Row[1], 0.9, 1e-10);
    EXPECT_FALSE(Row[2]);                                         // above the surface
    for (const auto& y : Table->HalfBreadths[1]) EXPECT_FALSE(y); // beyond its end

    std::ostringstream Csv;
    WriteOffsetsCsv(Csv, *Table);
    EXPECT_EQ(Csv.str(), "x \\ z,0.25,0.64,1.5\r\n5,0.7500,0.9000,\r\n12,,,\r\n");
}

TEST(OffsetsTest, EmptyListsAndMissingSurfacesAreRefused) {
    const auto S = Patch({0, 1, 2}, {1, 2, 4}, 0);
    ExpectMessage([&] { TableOfOffsets(*S, {}, {1}); },
                  "The table of offsets needs at least one station");
    ExpectMessage([&] { TableOfOffsets(*S, {1}, {}); },
                  "The table of offsets needs at least one waterline");
    TBSplineSurface None(0, 0);
    EXPECT_THROW(TableOfOffsets(None, {1}, {1}), EGeometryError);
}
