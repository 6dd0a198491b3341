// Single points, point lists and faces: tolerance, interpolation, crossing, face text.
#include "geometry/errors.h"
#include "geometry/points.h"
#include "geometry/polygon.h"
#include "geometry/recordtext.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

void ExpectPoint(const TRPoint& P, double X, double Y, double Z) {
    EXPECT_DOUBLE_EQ(P.X, X);
    EXPECT_DOUBLE_EQ(P.Y, Y);
    EXPECT_DOUBLE_EQ(P.Z, Z);
}

TEST(Point, ToleranceDecidesSamenessAndOrder) {
    EXPECT_TRUE(SamePoint(TRPoint(0, 0, 0), TRPoint(0.00009, -0.00009, 0)));
    EXPECT_FALSE(SamePoint(TRPoint(0, 0, 0), TRPoint(0.0001, 0, 0)));
    EXPECT_EQ(ComparePoints(TRPoint(1, 5, 0), TRPoint(1.00005, 2, 0)), 1);
    EXPECT_EQ(ComparePoints(TRPoint(1, 2, 3), TRPoint(1.00005, 2.00005, 2.99995)), 0);
    EXPECT_EQ(ComparePoints(TRPoint(1, 2, 3), TRPoint(1, 2, 4)), -1);
}

TEST(Point, InterpolateAlongAnAxis) {
    const TRPoint A(0, 0, 0), B(10, 20, 30);
    ExpectPoint(*InterpolatePoint(A, B, 2, 15), 5, 10, 15);
    ExpectPoint(*InterpolatePoint(A, B, 2, 30), 10, 20, 30);
    EXPECT_THROW(InterpolatePoint(A, B, 2, 30.0001), EGeometryError);
    EXPECT_THROW(InterpolatePoint(TRPoint(3, 0, 0), TRPoint(3, 1, 0), 0, 3), EGeometryError);
    EXPECT_EQ(InterpolatePoint(A, B, 3, 1), nullptr);
}

TEST(Point, SegmentCrossingTakesHeightFromFirstSegment) {
    const auto I =
        IntersectSegments2D(TRPoint(0, 0, 0), TRPoint(2, 2, 2), TRPoint(0, 2, 9), TRPoint(2, 0, 9));
    ExpectPoint(*I, 1, 1, 1);
    // A vertical first segment takes its parameter from Y.
    ExpectPoint(*IntersectSegments2D(TRPoint(1, 0, 0), TRPoint(1, 4, 8), TRPoint(0, 1, 0),
                                     TRPoint(2, 1, 0)),
                1, 1, 2);
    try {
        IntersectSegments2D(TRPoint(0, 0, 0), TRPoint(1, 1, 0), TRPoint(0, 1, 0), TRPoint(1, 2, 0));
        FAIL() << "parallel segments must raise";
    } catch (const EMathError& E) {
        EXPECT_STREQ(E.what(), "Division by zero");
    }
    EXPECT_EQ(
        IntersectSegments2D(TRPoint(0, 0, 0), TRPoint(0, 1, 0), TRPoint(1, 0, 0), TRPoint(1, 1, 0)),
        nullptr);
}

TEST(PointList, IndexErrorAndAssign) {
    TRPoints L;
    L.Add(TRPoint::CreateXYZ(1, 2, 3));
    try {
        L.Point(5);
        FAIL();
    } catch (const EListError& E) {
        EXPECT_STREQ(E.what(), "List index out of bounds (5)");
    }
    L.UseColors = true;
    L.LineColor = 0xFF;
    const auto C = TRPoints::CreateCopy(L);
    ASSERT_EQ(C->Count(), 1);
    EXPECT_NE(&C->Point(0), &L.Point(0));
    ExpectPoint(C->Point(0), 1, 2, 3);
    EXPECT_TRUE(C->UseColors);
    EXPECT_EQ(C->LineColor, 0xFFu);
}

TEST(Polygon, CornerValuesAndAssignKeepTheCornerInvariant) {
    TPolygon F(0);
    F.P2.SetXYZ(3, 0, 0);
    F.P3.SetXYZ(0, 6, 0);
    EXPECT_DOUBLE_EQ(F.CornerValue(0, 2), 1);
    EXPECT_DOUBLE_EQ(F.CornerValue(1, 0), 6);
    EXPECT_EQ(F.FillColor, clNone);
    EXPECT_EQ(F.LineColor, clWhite);

    TPolygon Q(1);
    Q.P4()->SetXYZ(-4, 0, 0);
    EXPECT_DOUBLE_EQ(Q.CornerValue(0, 1), -4);
    EXPECT_DOUBLE_EQ(Q.CornerValue(0, 2), -1);
    Q.Assign(F);
    EXPECT_EQ(Q.Kind(), 0);
    EXPECT_EQ(Q.P4(), nullptr);
    TPolygon R(1);
    R.P4()->SetXYZ(7, 7, 7);
    F.Assign(R);
    ASSERT_NE(F.P4(), nullptr);
    ExpectPoint(*F.P4(), 7, 7, 7);
}

TEST(Polygon, TextLinesAndListRecord) {
    TPolygonList L;
    auto F = std::make_unique<TPolygon>(0);
    F->P1.SetXYZ(1, 2, 3);
    F->P2.SetXYZ(4, 5, 6);
    F->P3.SetXYZ(7, 8, 9.25);
    L.Add(std::move(F));
    auto Q = std::make_unique<TPolygon>(1);
    Q->P1.SetXYZ(-0.25, 12.5, 0);
    L.Add(std::move(Q));
    L.Add(std::make_unique<TPolygon>(2)); // no text line for an unknown kind
    EXPECT_EQ(RecordText(L),
              "NumberofPolygons=3\r\n"
              "3 1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.250\r\n"
              "4 -0.250 12.500 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 "
              "0.000\r\n");
    L.Clear();
    EXPECT_EQ(L.Count(), 0);
}

} // namespace
