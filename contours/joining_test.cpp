// The indexed joining against the plain joining it stands in for: a scan of the remaining
// links from the first at every chain end, on random triangle soups.
#include "contours/contourlinks.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"
#include "hull/keelvane.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Moves the far end of the first link touching the chain's first (or last) point into the
// chain; false when no link touches it.
bool AttachByScan(TContourLinks& Links, TPolyline& Chain, bool AtFirst) {
    const TRPoint Q = AtFirst ? Chain.First() : Chain.Last();
    for (int i = 0; i < Links.Count(); ++i) {
        TCLink& L = Links.Link(i);
        if (!SamePoint(*L.P1, Q) && !SamePoint(*L.P2, Q)) continue;
        auto Far = SamePoint(*L.P1, Q) ? std::move(L.P2) : std::move(L.P1);
        Chain.Insert(AtFirst ? 0 : Chain.Count(), std::move(Far));
        Links.Delete(i);
        return true;
    }
    return false;
}

void JoinByScan(TContourLinks& Links, TPolylineList& Result) {
    if (Links.Count() == 0) return;
    Links.SortAndClean();
    while (Links.Count() > 0) {
        auto Chain = std::make_unique<TPolyline>();
        Chain->AddPoint(Links.Link(0).P1->X, Links.Link(0).P1->Y, Links.Link(0).P1->Z);
        Chain->AddPoint(Links.Link(0).P2->X, Links.Link(0).P2->Y, Links.Link(0).P2->Z);
        Links.Delete(0);
        bool Attached = true;
        while (Attached && Links.Count() > 0) {
            const bool Before = AttachByScan(Links, *Chain, true);
            const bool After = AttachByScan(Links, *Chain, false);
            Attached = Before || After;
        }
        Result.AddPolyline(std::move(Chain));
    }
}

// Every coordinate of every polyline, in order.
std::vector<std::vector<double>> Coordinates(const TPolylineList& List) {
    std::vector<std::vector<double>> Result(static_cast<std::size_t>(List.Count()));
    for (int i = 0; i < List.Count(); ++i)
        for (int k = 0; k < List.Polyline(i).Count(); ++k)
            for (int Axis = 0; Axis < 3; ++Axis)
                Result[static_cast<std::size_t>(i)].push_back(List.Polyline(i).At(k).Coord(Axis));
    return Result;
}

// Triangles between the points of a coarse lattice spaced Spacing apart, many corners shifted by
// up to 0.8 point tolerances: ends meet in threes and fours, lie exactly on planes through the
// lattice, and two shifted ends may each be the same as the lattice point but not as each other.
std::unique_ptr<TPolygonList> Soup(unsigned Seed, int Count, double Spacing) {
    std::mt19937 Random(Seed);
    std::uniform_int_distribution<int> Lattice(0, 4);
    std::uniform_real_distribution<double> Shift(-0.00008, 0.00008);
    auto Corner = [&] {
        TRPoint P(Spacing * Lattice(Random), Spacing * Lattice(Random), Spacing * Lattice(Random));
        if (Random() % 3 == 0) P.SetXYZ(P.X + Shift(Random), P.Y + Shift(Random), P.Z);
        return P;
    };
    auto List = std::make_unique<TPolygonList>();
    for (int i = 0; i < Count; ++i) {
        auto T = std::make_unique<TPolygon>(0);
        for (TRPoint* C : {&T->P1, &T->P2, &T->P3}) *C = Corner();
        List->Add(std::move(T));
    }
    return List;
}

// The number of polylines both joinings gave.
int ExpectJoinsAgree(const TPolygons& Faces, std::uint8_t Axis, double Position) {
    TContourLinks Indexed(Axis, Position), Scanned(Axis, Position);
    TExtents E;
    for (int i = 0; i < Faces.Count(); ++i) {
        Faces.Polygon(i).PolygonExtents(E);
        Indexed.Cut(Faces.Polygon(i), E);
        Scanned.Cut(Faces.Polygon(i), E);
    }
    TPolylineList A, B;
    Indexed.Join(A);
    JoinByScan(Scanned, B);
    EXPECT_EQ(Indexed.Count(), 0);
    EXPECT_EQ(Coordinates(A), Coordinates(B));
    return A.Count();
}

} // namespace

TEST(JoiningTest, IndexedJoiningEqualsScanningOnRandomSoups) {
    // Besides unit spacing, one whose coordinates overflow the cell arithmetic of the index.
    for (const double Spacing : {1.0, 1e306})
        for (unsigned Seed = 1; Seed <= 12; ++Seed) {
            const auto Faces = Soup(Seed, 300, Spacing);
            int Polylines = 0;
            for (std::uint8_t Axis = 0; Axis < 3; ++Axis)
                for (const double Position : {1.0, 2.0, 2.37, 3.00003})
                    Polylines += ExpectJoinsAgree(*Faces, Axis, Spacing * Position);
            EXPECT_GT(Polylines, 0);
        }
}

TEST(JoiningTest, IndexedJoiningEqualsScanningOnTheHull) {
    TKeelvane Hull;
    Hull.Generate();
    Hull.SamplesU = 69;
    Hull.SamplesV = 36;
    const auto Faces = Hull.GetPolygons();
    const TKeelvaneParameters& P = Hull.Parameters();
    // Planes through the hull's ends, its centre plane and keel, and between.
    int Polylines = 0;
    for (int k = 0; k <= 20; ++k)
        Polylines += ExpectJoinsAgree(*Faces, 0, -P.TransomBehindAP + k * P.Lbp / 20);
    for (int k = 0; k <= 5; ++k) Polylines += ExpectJoinsAgree(*Faces, 1, k * P.Beam / 10);
    for (int k = 0; k <= 10; ++k) Polylines += ExpectJoinsAgree(*Faces, 2, k * P.Depth / 10);
    EXPECT_GT(Polylines, 36);
}
