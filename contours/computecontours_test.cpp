// The lines plan of a surface: sampling at three times the net, counts restored, empty list.
#include "contours/computecontours.h"
#include "contours/contours.h"
#include "geometry/bsurface.h"
#include "geometry/polylist.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ComputeContoursTest, SamplesAtThreeTimesTheNetAndRestoresTheCounts) {
    // The plane z = x over [0, 3] x [0, 2], bilinear patches on a 4 x 3 net: no two counts alike.
    TBSplineSurface Plane(4, 3);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) Plane.SetPoint(i, j, TRPoint(i, j, i));
    Plane.SetOrderU(2);
    Plane.SetOrderV(2);
    Plane.MakeKnots();
    Plane.SamplesU = 7;
    Plane.SamplesV = 5;

    TContours Contours;
    const auto None = ComputeContours(Plane, Contours);
    ASSERT_NE(None, nullptr);
    EXPECT_EQ(None->Count(), 0);

    // Sampled 12 x 9, the samples along x are 3 / 11 apart: x = 1.4 lies between samples 5 and
    // 6, 0.1333 of the way, and off the middle, so each cell's diagonal is crossed off its middle.
    Contours.Add(0, 1.4);
    const auto Lines = ComputeContours(Plane, Contours);
    ASSERT_EQ(Lines->Count(), 1);
    const TPolyline& Line = Lines->Polyline(0);
    // A point on each of the 9 sample lines across the plane and on the 8 cell diagonals.
    ASSERT_EQ(Line.Count(), 17);
    EXPECT_NEAR(Line.Length(), 2.0, 1e-9);
    // A cell's diagonal runs from its corner (5, j + 1) to (6, j), so it is crossed near its
    // upper end: 1 - 0.1333 of the way from sample line j to j + 1, 0.25 apart.
    const double t = (1.4 - 5 * 3.0 / 11) / (3.0 / 11);
    for (int k = 0; k < Line.Count(); ++k) {
        const double y = Line.At(k).Y, Within = y - std::floor(y / 0.25 + 1e-9) * 0.25;
        EXPECT_NEAR(Line.At(k).Z, 1.4, 1e-9);
        EXPECT_TRUE(std::fabs(Within) < 1e-9 || std::fabs(Within - (1 - t) * 0.25) < 1e-9) << y;
    }
    EXPECT_EQ(Plane.SamplesU, 7);
    EXPECT_EQ(Plane.SamplesV, 5);
}
