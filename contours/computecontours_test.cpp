// The lines plan of a surface: sampling at three times the net, counts restored, empty list.
#include "contours/computecontours.h"
#include "contours/contours.h"
#include "geometry/bsurface.h"
#include "geometry/polylist.h"

#include <gtest/gtest.h>

TEST(ComputeContoursTest, SamplesAtThreeTimesTheNetAndRestoresTheCounts) {
    // The plane z = x over [0, 3] x [0, 3], bilinear patches on a 4 x 4 net.
    TBSplineSurface Plane(4, 4);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) Plane.SetPoint(i, j, TRPoint(i, j, i));
    Plane.SetOrderU(2);
    Plane.SetOrderV(2);
    Plane.MakeKnots();
    Plane.SamplesU = 7;
    Plane.SamplesV = 5;

    TContours Contours;
    const auto None = ComputeContours(Plane, Contours);
    ASSERT_NE(None, nullptr);
    EXPECT_EQ(None->Count(), 0);

    Contours.Add(0, 1.5);
    const auto Lines = ComputeContours(Plane, Contours);
    ASSERT_EQ(Lines->Count(), 1);
    // A point on each of the 12 sample lines across the plane and on the 11 cell diagonals.
    EXPECT_EQ(Lines->Polyline(0).Count(), 23);
    EXPECT_DOUBLE_EQ(Lines->Polyline(0).Length(), 3.0);
    EXPECT_EQ(Plane.SamplesU, 7);
    EXPECT_EQ(Plane.SamplesV, 5);
}
