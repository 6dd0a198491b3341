// Polylines: the growing accessor, closing, point queries, resampling, clipping, crossings.
#include "geometry/errors.h"
#include "geometry/polyline.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct XYZ {
    double X, Y, Z;
};

std::unique_ptr<TPolyline> Chain(std::initializer_list<XYZ> Points) {
    auto P = std::make_unique<TPolyline>();
    for (const XYZ& Q : Points) P->AddPoint(Q.X, Q.Y, Q.Z);
    return P;
}

void ExpectChain(const TPolyline& P, std::initializer_list<XYZ> Points) {
    ASSERT_EQ(P.Count(), static_cast<int>(Points.size()));
    int i = 0;
    for (const XYZ& Q : Points) {
        EXPECT_NEAR(P.At(i).X, Q.X, 1e-12) << "point " << i;
        EXPECT_NEAR(P.At(i).Y, Q.Y, 1e-12) << "point " << i;
        EXPECT_NEAR(P.At(i).Z, Q.Z, 1e-12) << "point " << i;
        ++i;
    }
}

TEST(Polyline, PointGrowsTheList) {
    auto P = std::make_unique<TPolyline>();
    EXPECT_THROW(P->First(), EListError) << "First and Last do not grow";
    TRPoint& Fifth = P->Point(4);
    EXPECT_EQ(P->Count(), 5);
    EXPECT_EQ(&Fifth, &P->At(4));
    EXPECT_EQ(Fifth.W, 1.0);
    EXPECT_THROW(P->Point(-1), EListError);
    EXPECT_THROW(P->At(5), EListError);
}

TEST(Polyline, SetClosedDropsEveryRepeatOfTheStart) {
    auto P = Chain({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}});
    EXPECT_TRUE(P->GetClosed());
    P->SetClosed(false);
    EXPECT_EQ(P->Count(), 3);
    P->SetClosed(true);
    EXPECT_EQ(P->Count(), 4);
    auto Q = Chain({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {0.00001, 0, 0}});
    Q->SetClosed(false);
    EXPECT_EQ(Q->Count(), 3);
}

TEST(Polyline, PointAtCoordinate) {
    auto P = Chain({{0, 0, 0}, {1, 2, 4}});
    const auto Q = P->PointAtX(0.5);
    ASSERT_NE(Q, nullptr);
    EXPECT_DOUBLE_EQ(Q->Y, 1);
    EXPECT_DOUBLE_EQ(Q->Z, 2);
    EXPECT_EQ(P->PointAtX(1.5), nullptr);
    EXPECT_DOUBLE_EQ(P->PointAtZ(1)->X, 0.25);
    auto One = Chain({{3, 4, 5}});
    EXPECT_DOUBLE_EQ(One->PointAtX(3)->Y, 4);
    EXPECT_EQ(One->PointAtY(4.001), nullptr);
    // A segment without extent that holds the value has no answer.
    auto Flat = Chain({{1, 0, 0}, {1, 5, 0}});
    try {
        Flat->PointAtX(1);
        FAIL();
    } catch (const EMathError& E) {
        EXPECT_STREQ(E.what(), "Invalid floating point operation");
    }
}

TEST(Polyline, ResampleRepeatsASampleOnAVertex) {
    auto P = Chain({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}});
    P->UseColors = true;
    Resample(*P, 3);
    ExpectChain(*P, {{0, 0, 0}, {2, 0, 0}, {2, 0, 0}, {2, 2, 0}});
    EXPECT_FALSE(P->UseColors);
    auto Dot = Chain({{1, 1, 1}});
    Resample(*Dot, 1);
    ExpectChain(*Dot, {{1, 1, 1}, {1, 1, 1}});
}

TEST(Polyline, ClipReversesAndKeepsLevelPointsFromBothSegments) {
    const auto Down = Chain({{0, 0, 1}, {1, 0, 0}, {2, 0, -1}});
    ExpectChain(*ClipPolylineAtZ(*Down, 0, false, 0), {{2, 0, -1}, {1, 0, 0}, {1, 0, 0}});
    const auto Up = ClipPolylineAtZ(*Down, 1, false, 0.5);
    ExpectChain(*Up, {{0.5, 0, 0.5}, {0, 0, 1}});
    EXPECT_EQ(ClipPolylineAtZ(*Down, 2, false, 0), nullptr);
    EXPECT_EQ(ClipPolylineAtZ(*Chain({{0, 0, 0}, {1, 0, 1}}), 0, false, 0), nullptr);
    EXPECT_EQ(ClipPolylineAtZ(*Chain({{0, 0, 0}}), 0, false, 1), nullptr);
}

TEST(Polyline, ClipOfAClosedSectionRestartsInTheMiddle) {
    // A closed ring below the level on both ends starts at its middle and closes again.
    const auto Ring = Chain({{0, 0, 0}, {1, 0, 2}, {2, 0, 2}, {3, 0, 0}, {0, 0, 0}});
    const auto R = ClipPolylineAtZ(*Ring, 0, true, 1);
    ExpectChain(*R, {{2.5, 0, 1}, {3, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0.5, 0, 1}, {2.5, 0, 1}});
    // Both ends on the level: the chain starts at its quarter, then (both ends now above) at
    // its middle; level points come from both segments that meet there.
    const auto Level = Chain(
        {{0, 0, 1}, {1, 0, 2}, {2, 0, 1}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}, {6, 0, 0}, {7, 0, 1}});
    ExpectChain(*ClipPolylineAtZ(*Level, 1, false, 1),
                {{7, 0, 1}, {0, 0, 1}, {1, 0, 2}, {1, 0, 2}, {2, 0, 1}, {2, 0, 1}});
}

TEST(Polyline, StartAtMiddleNeedsTwoPoints) {
    auto P = Chain({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 0}});
    P->StartAtMiddle();
    ExpectChain(*P, {{1, 0, 0}, {2, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 0, 0}});
    auto One = Chain({{0, 0, 0}});
    EXPECT_THROW(One->StartAtMiddle(), EListError);
    auto Three = Chain({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    EXPECT_THROW(Three->StartAtQuarter(), EListError);
}

TEST(Polyline, IntersectionsInTheThreePlanes) {
    auto A = Chain({{0, 0, 0}, {2, 2, 2}});
    auto B = Chain({{0, 2, 5}, {2, 0, 5}});
    ExpectChain(*IntersectPolylines(*A, *B, 0), {{1, 1, 1}});
    // YZ plane: the depth is X, taken along A.
    auto AY = Chain({{0, 0, 0}, {4, 2, 2}});
    auto BY = Chain({{9, 0, 2}, {9, 2, 0}});
    ExpectChain(*IntersectPolylines(*AY, *BY, 1), {{2, 1, 1}});
    // XZ plane, with crossings ordered by A's segments.
    auto AZ = Chain({{0, 7, 0}, {2, 7, 2}, {4, 7, 0}});
    auto BZ = Chain({{4, 0, 1}, {0, 0, 1}});
    ExpectChain(*IntersectPolylines(*AZ, *BZ, 2), {{1, 7, 1}, {3, 7, 1}});
    // One point lying on the other chain.
    auto Dot = Chain({{1, 1, 3}});
    ExpectChain(*IntersectPolylines(*A, *Dot, 0), {{1, 1, 3}});
    // Off the middle of an uneven segment, either chain first; just beside it, none.
    auto Slope = Chain({{0, 0, 0}, {2, 1, 4}});
    ExpectChain(*IntersectPolylines(*Slope, *Chain({{1.5, 0.75, 9}}), 0), {{1.5, 0.75, 9}});
    ExpectChain(*IntersectPolylines(*Chain({{1.5, 0.75, 9}}), *Slope, 0), {{1.5, 0.75, 9}});
    EXPECT_EQ(IntersectPolylines(*Slope, *Chain({{1.5, 0.76, 9}}), 0)->Count(), 0);
    EXPECT_EQ(IntersectPolylines(*Chain({{5, 5, 5}, {6, 6, 6}}), *A, 0)->Count(), 0);
    // A section's flat bottom is seen end-on in the profile: the crossing comes from the
    // next segment, whichever chain comes first.
    auto Section = Chain({{1, 0, 0}, {1, 2, 0}, {1, 2, 2}});
    auto Line = Chain({{0, 5, -1}, {2, 5, 1}});
    ExpectChain(*IntersectPolylines(*Section, *Line, 2), {{1, 2, 0}});
    ExpectChain(*IntersectPolylines(*Line, *Section, 2), {{1, 5, 0}});
}

TEST(Polyline, TruncateSortAndDeduplicate) {
    auto P = Chain({{1.23456, -1.23456, 0}, {3, 0, 0}, {-2, 0, 0}, {3, 0, 0}});
    P->TruncateTo3Decimals();
    EXPECT_DOUBLE_EQ(P->At(0).X, 1.234);
    EXPECT_DOUBLE_EQ(P->At(0).Y, -1.234);
    P->SortByAxis(0);
    ExpectChain(*P, {{-2, 0, 0}, {1.234, -1.234, 0}, {3, 0, 0}, {3, 0, 0}});
    P->RemoveDuplicates();
    EXPECT_EQ(P->Count(), 3);
}

} // namespace
