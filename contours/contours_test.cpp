// Contour building: the cutting rules, cleaning, joining, chain length, colours, order, an
// analytic check on a sampled cylinder, and the progress reported.
#include "contours/contourlinks.h"
#include "contours/contours.h"
#include "contours/createcontours.h"
#include "geometry/console.h"
#include "geometry/errors.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

std::unique_ptr<TPolygon> Tri(TRPoint A, TRPoint B, TRPoint C) {
    auto P = std::make_unique<TPolygon>(0);
    P->P1 = A;
    P->P2 = B;
    P->P3 = C;
    return P;
}

// The links one X plane at Position leaves in one triangle.
std::vector<std::pair<TRPoint, TRPoint>> CutX(const TPolygon& T, double Position) {
    TContourLinks Links(0, Position);
    TExtents E;
    T.PolygonExtents(E);
    Links.Cut(T, E);
    std::vector<std::pair<TRPoint, TRPoint>> Result;
    for (int i = 0; i < Links.Count(); ++i)
        Result.emplace_back(*Links.Link(i).P1, *Links.Link(i).P2);
    return Result;
}

bool Same(const TRPoint& P, double X, double Y, double Z) {
    return SamePoint(P, TRPoint(X, Y, Z));
}

// A circular cylinder of radius R about the X axis from X = 0 to Length, sampled at NAlong
// cells along and NAround cells around, two triangles per cell; Swap exchanges X and Z so
// that it stands upright.
std::unique_ptr<TPolygonList> Cylinder(double R, double Length, int NAlong, int NAround,
                                       bool Swap) {
    auto At = [&](int i, int j) {
        const double a = 2 * std::numbers::pi * (j % NAround) / NAround;
        const double x = Length * i / NAlong, y = R * std::cos(a), z = R * std::sin(a);
        return Swap ? TRPoint(z, y, x) : TRPoint(x, y, z);
    };
    auto List = std::make_unique<TPolygonList>();
    for (int i = 0; i < NAlong; ++i)
        for (int j = 0; j < NAround; ++j) {
            List->Add(Tri(At(i, j), At(i + 1, j), At(i + 1, j + 1)));
            List->Add(Tri(At(i, j), At(i + 1, j + 1), At(i, j + 1)));
        }
    return List;
}

} // namespace

TEST(ContourCutTest, OneCornerOnThePlaneCutsToTheOppositeEdgeInEveryPosition) {
    const TRPoint On(1, 0, 0), Below(0, 2, 0), Above(2, 2, 4);
    for (const auto& T : {Tri(On, Below, Above), Tri(Above, On, Below), Tri(Below, Above, On)}) {
        const auto Links = CutX(*T, 1.0);
        ASSERT_EQ(Links.size(), 1u);
        const auto& [A, B] = Links[0];
        EXPECT_TRUE(Same(A, 1, 0, 0) || Same(B, 1, 0, 0));
        EXPECT_TRUE(Same(A, 1, 2, 2) || Same(B, 1, 2, 2));
    }
}

TEST(ContourCutTest, CornersBeforeEdgesAndNothingForTouchingFlatOrFourCorners) {
    const auto Two = CutX(*Tri(TRPoint(0, 0, 0), TRPoint(1, 0, 0), TRPoint(1, 3, 1)), 1.0);
    ASSERT_EQ(Two.size(), 1u);
    EXPECT_TRUE(Same(Two[0].first, 1, 0, 0) && Same(Two[0].second, 1, 3, 1));

    const auto Crossing = CutX(*Tri(TRPoint(0, 0, 0), TRPoint(4, 0, 0), TRPoint(0, 4, 0)), 1.0);
    ASSERT_EQ(Crossing.size(), 1u);
    EXPECT_TRUE(Same(Crossing[0].first, 1, 0, 0) && Same(Crossing[0].second, 1, 3, 0));
    EXPECT_EQ(Crossing[0].second.X, 1.0); // exactly in the plane, not merely close

    EXPECT_TRUE(CutX(*Tri(TRPoint(1, 0, 0), TRPoint(2, 0, 0), TRPoint(2, 1, 0)), 1.0).empty());
    EXPECT_TRUE(CutX(*Tri(TRPoint(1, 0, 0), TRPoint(1, 2, 0), TRPoint(1, 0, 3)), 1.0).empty());
    EXPECT_TRUE(CutX(*Tri(TRPoint(0, 0, 0), TRPoint(2, 0, 0), TRPoint(2, 1, 0)), 3.0).empty());
    TPolygon Quad(1);
    Quad.P2 = TRPoint(2, 0, 0);
    Quad.P3 = TRPoint(2, 1, 0);
    EXPECT_TRUE(CutX(Quad, 1.0).empty());
}

TEST(ContourCleanTest, EndsOrderedSortedAndDuplicatesDropped) {
    TContourLinks L(0, 0.0);
    L.AddLink(TRPoint(0, 2, 0), TRPoint(0, 1, 0));
    L.AddLink(TRPoint(0, 0, 0), TRPoint(0, 1, 0));
    L.AddLink(TRPoint(0, 1, 0), TRPoint(0, 0.00005, 0)); // the same as the second within tolerance
    L.AddLink(TRPoint(0, 3, 0), TRPoint(0, 3.00005, 0)); // no length
    L.SortAndClean();
    ASSERT_EQ(L.Count(), 2);
    EXPECT_TRUE(Same(*L.Link(0).P1, 0, 0, 0) && Same(*L.Link(0).P2, 0, 1, 0));
    EXPECT_TRUE(Same(*L.Link(1).P1, 0, 1, 0) && Same(*L.Link(1).P2, 0, 2, 0));
}

TEST(CreateContoursTest, ResultOrderColoursEmptyPlanesAndShortChains) {
    auto Faces = Cylinder(1.0, 10.0, 10, 16, false);
    // Beside the cylinder, two slivers cut by the plane X = 7.5 into chains of 0.0008 and 0.0012.
    for (const double Width : {0.0008, 0.0012})
        Faces->Add(Tri(TRPoint(7.4997, 5 * Width / 0.0004, 5),
                       TRPoint(7.5003, 5 * Width / 0.0004, 5),
                       TRPoint(7.5, 5 * Width / 0.0004 + Width, 5)));
    TContours C;
    EXPECT_EQ(CreateContours(*Faces, C), nullptr);
    C.Add(2, 0.5);  // two lines along the cylinder
    C.Add(0, 7.5);  // a circle and the longer sliver chain
    C.Add(1, 0.0);  // two lines
    C.Add(0, 2.5);  // unsorted positions stay unsorted
    C.Add(0, 50.0); // through no triangle
    std::vector<std::string> Lines;
    Console().OnWrite = [&](const std::string& S) { Lines.push_back(S); };
    const auto Result = CreateContours(*Faces, C);
    Console().OnWrite = nullptr;
    EXPECT_EQ(Lines,
              std::vector<std::string>{"  Creating Contours from Polygon Representation..."});

    ASSERT_EQ(Result->Count(), 7);
    const double Expected[7][2] = {{0, 7.5}, {0, 7.5}, {0, 2.5}, {1, 0},
                                   {1, 0},   {2, 0.5}, {2, 0.5}};
    for (int i = 0; i < 7; ++i) {
        const TPolyline& P = Result->Polyline(i);
        const int Axis = static_cast<int>(Expected[i][0]);
        EXPECT_EQ(P.First().Coord(Axis), Expected[i][1]) << i;
        EXPECT_EQ(P.LineColor, ContourColors[Axis]) << i;
        EXPECT_TRUE(P.UseColors);
    }
    EXPECT_NEAR(Result->Polyline(1).Length(), 0.0012, 1e-9);
    // Stations yellow, buttocks red, waterlines blue (0x00BBGGRR).
    EXPECT_EQ(Result->Polyline(0).LineColor, 0x0000FFFFu);
    EXPECT_EQ(Result->Polyline(3).LineColor, 0x000000FFu);
    EXPECT_EQ(Result->Polyline(5).LineColor, 0x00FF0000u);
}

TEST(CreateContoursTest, CylinderSectionsAreClosedCirclesWithinChordError) {
    const double R = 2.0;
    const int NAround = 48;
    const double ChordError = R * (1 - std::cos(std::numbers::pi / NAround));
    for (const bool Upright : {false, true}) {
        const auto Faces = Cylinder(R, 10.0, 20, NAround, Upright);
        TContours C;
        for (const double At : {0.3, 5.0, 7.77}) C.Add(Upright ? 2 : 0, At);
        const auto Result = CreateContours(*Faces, C);
        ASSERT_EQ(Result->Count(), 3);
        for (int i = 0; i < 3; ++i) {
            const TPolyline& P = Result->Polyline(i);
            EXPECT_TRUE(SamePoint(P.First(), P.Last()));
            EXPECT_GE(P.Count(), NAround + 1);
            for (int k = 0; k < P.Count(); ++k) {
                const TRPoint& Q = P.At(k);
                const double Radius = std::hypot(Q.Y, Upright ? Q.X : Q.Z);
                EXPECT_LE(Radius, R + 1e-12);
                EXPECT_GE(Radius, R - ChordError - 1e-12);
            }
        }
    }
}

TEST(CreateContoursTest, ProgressRisesStepByStepToCompletion) {
    // 19,200 triangles and 301 planes: reports while the triangles are sorted to the planes and
    // while the planes are cut, but never one per plane.
    const auto Faces = Cylinder(2.0, 10.0, 200, 48, false);
    TContours C;
    for (int k = 0; k < 300; ++k) C.Add(0, 0.01 + k * 0.033);
    C.Add(2, 0.5);
    std::vector<double> Heard;
    const auto Result = CreateContours(*Faces, C, [&](double F) { Heard.push_back(F); });
    ASSERT_EQ(Result->Count(), 302);
    ASSERT_GE(Heard.size(), 10u);
    EXPECT_LE(Heard.size(), 101u);
    EXPECT_EQ(Heard.front(), 0.0);
    EXPECT_EQ(Heard.back(), 1.0);
    EXPECT_EQ(std::adjacent_find(Heard.begin(), Heard.end(), std::greater_equal<>()), Heard.end());
}

TEST(CreateContoursTest, AFaultInCuttingRaisesInsteadOfEmptyingTheResult) {
    // The edge from -1.7e308 to 1.7e308 spans more than a double holds: its crossing is no number.
    TPolygonList Faces;
    Faces.Add(Tri(TRPoint(-1.7e308, 0, 0), TRPoint(1.7e308, 0, 0), TRPoint(0, 1, 0)));
    TContours C;
    C.Add(0, 0.0);
    EXPECT_THROW(CreateContours(Faces, C), EMathError);
}
