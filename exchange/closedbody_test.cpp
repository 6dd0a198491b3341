// The closed body and its STL file: watertight, turned outward, and holding the surface's volume.
#include "exchange/closedbody.h"
#include "exchange/occtshapes.h"
#include "exchange/stlfile.h"

#include "geometry/bsurface.h"
#include "hull/keelvane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

// Every edge of the triangles (vertex numbers, or corners as a reader that welds by position finds
// them) run through once each way: closed and turned alike.
template <class TVertex>
void ExpectWatertight(const std::vector<std::array<TVertex, 3>>& Triangles) {
    std::vector<std::pair<TVertex, TVertex>> Directed;
    for (const auto& T : Triangles)
        for (int e = 0; e < 3; ++e) Directed.emplace_back(T[e], T[(e + 1) % 3]);
    std::sort(Directed.begin(), Directed.end());
    const auto Count = [&](const TVertex& a, const TVertex& b) {
        const auto Range = std::equal_range(Directed.begin(), Directed.end(), std::pair(a, b));
        return Range.second - Range.first;
    };
    int Bad = 0;
    for (const auto& [a, b] : Directed) Bad += Count(a, b) != 1 || Count(b, a) != 1;
    EXPECT_EQ(Bad, 0);
    EXPECT_FALSE(Triangles.empty());
}

// The volume the surface and its mirror enclose with flat lids: the flux of (0, y, 0), whose
// divergence is 1, through the two halves (the lids, ruled parallel to y, take none), by
// Gauss-Legendre rules exact for the polynomials of each knot span.
double SurfaceVolume(TBSplineSurface& Surface) {
    const auto S = OcctSurface(Surface, false);
    double Sum = 0;
    const int Order = 8;
    const double G[] = {-0.9602898564975363, -0.7966664774136267, -0.5255324099163290,
                        -0.1834346424956498, 0.1834346424956498,  0.5255324099163290,
                        0.7966664774136267,  0.9602898564975363};
    const double W[] = {0.1012285362903763, 0.2223810344533745, 0.3137066458778873,
                        0.3626837833783620, 0.3626837833783620, 0.3137066458778873,
                        0.2223810344533745, 0.1012285362903763};
    for (int a = 1; a < S->NbUKnots(); ++a)
        for (int b = 1; b < S->NbVKnots(); ++b) {
            const double U0 = S->UKnot(a), U1 = S->UKnot(a + 1);
            const double V0 = S->VKnot(b), V1 = S->VKnot(b + 1);
            for (int i = 0; i < Order; ++i)
                for (int j = 0; j < Order; ++j) {
                    gp_Pnt P;
                    gp_Vec Su, Sv;
                    S->D1((U0 + U1) / 2 + G[i] * (U1 - U0) / 2,
                          (V0 + V1) / 2 + G[j] * (V1 - V0) / 2, P, Su, Sv);
                    Sum += W[i] * W[j] * (U1 - U0) * (V1 - V0) / 4 * P.Y() * Su.Crossed(Sv).Y();
                }
        }
    return 2 * std::fabs(Sum);
}

std::vector<std::array<int, 3>> Triangles(const TTriangleMesh& Mesh) {
    return Mesh.Triangles;
}

} // namespace

// Automatically, and at fine samplings where points near the fore foot lie a hair from the centre
// plane and from each other without touching (the body's own check refuses an open one).
TEST(ClosedBodyTest, TheHullClosesWatertightOutwardAndHoldsTheSurfaceVolume) {
    for (const bool Bulbous : {false, true}) {
        TKeelvane Hull;
        Hull.SetBowShape(Bulbous ? 1 : 0);
        Hull.Generate();
        const double Exact = SurfaceVolume(Hull);
        for (const int Samples : {0, 32, 64}) {
            SCOPED_TRACE(testing::Message() << "bulbous " << Bulbous << ", samples " << Samples);
            const auto Body = ClosedBody(Hull, Samples);
            if (Samples == 0) ExpectWatertight(Triangles(*Body));
            EXPECT_GT(Body->Volume(), 0);
            EXPECT_LT(std::fabs(Body->Volume() - Exact), 0.001 * Exact)
                << Body->Volume() << " " << Exact;
        }
        // Two facets per span are coarser than that.
        EXPECT_GT(std::fabs(ClosedBody(Hull, 2)->Volume() - Exact), 0.001 * Exact);
    }
}

TEST(ClosedBodyTest, ABoxSectionClosesWithLidsAtBothEndsAndTheDeck) {
    // Length 10 along u; across v the bottom from the centre line out to y 3, then the side up
    // to z 2; straight lines throughout (order 2).
    TBSplineSurface Half(2, 3);
    Half.OrderU = Half.OrderV = 2;
    for (int i = 0; i < 2; ++i) {
        Half.SetPoint(i, 0, TRPoint(10 * i, 0, 0));
        Half.SetPoint(i, 1, TRPoint(10 * i, 3, 0));
        Half.SetPoint(i, 2, TRPoint(10 * i, 3, 2));
    }
    for (const int Samples : {1, 3}) {
        const auto Body = ClosedBody(Half, Samples);
        ExpectWatertight(Triangles(*Body));
        EXPECT_NEAR(Body->Volume(), 10 * 6 * 2, 1e-9);
    }
}

TEST(ClosedBodyTest, TheStlFileHoldsTheBodyWeldedInSinglePrecision) {
    TKeelvane Hull;
    Hull.Generate();
    const auto Body = ClosedBody(Hull);
    std::ostringstream Out;
    WriteBinaryStl(Out, *Body);

    const std::string Data = Out.str();
    ASSERT_GE(Data.size(), 84u);
    std::uint32_t Count = 0;
    std::memcpy(&Count, Data.data() + 80, 4);
    EXPECT_EQ(Count, Body->Triangles.size());
    ASSERT_EQ(Data.size(), 84 + 50 * std::size_t{Count});
    using TCorner = std::array<float, 3>;
    std::vector<std::array<TCorner, 3>> Read;
    double Volume = 0;
    for (std::size_t t = 0; t < Count; ++t) {
        float F[12];
        std::memcpy(F, Data.data() + 84 + 50 * t, sizeof F);
        Read.push_back(
            {TCorner{F[3], F[4], F[5]}, TCorner{F[6], F[7], F[8]}, TCorner{F[9], F[10], F[11]}});
        const gp_Vec A(F[3], F[4], F[5]), B(F[6], F[7], F[8]), C(F[9], F[10], F[11]);
        const gp_Vec Normal = (B - A).Crossed(C - A);
        // The stored normal is the unit normal of the corners' turn.
        if (Normal.Magnitude() > 1e-9) {
            EXPECT_GT(gp_Vec(F[0], F[1], F[2]).Dot(Normal.Normalized()), 0.999);
        }
        Volume += A.Dot(B.Crossed(C)) / 6;
    }
    ExpectWatertight(Read);
    EXPECT_NEAR(Volume, Body->Volume(), 1e-5 * Body->Volume());
}
