// B-spline surfaces: evaluation against the plain recursion, sampling, iso-lines, faces,
// transposition, records and the surface list.
#include "geometry/bsurface.h"

#include "geometry/polygon.h"
#include "geometry/testsupport.h"

#include <random>

namespace {

std::unique_ptr<TBSplineSurface> RandomSurface(int NumU, int NumV, unsigned Seed) {
    std::mt19937 Random(Seed);
    std::uniform_real_distribution<double> Coord(-5, 5);
    auto S = std::make_unique<TBSplineSurface>(NumU, NumV);
    for (int j = 0; j < NumV; ++j)
        for (int i = 0; i < NumU; ++i)
            S->Point(i, j).SetXYZ(Coord(Random), Coord(Random), Coord(Random));
    return S;
}

// The surface point summed as written out: every net point times its u and v basis values.
TRPoint ReferencePoint(const TBSplineSurface& S, double u, double v) {
    std::vector<double> Ku{0}, Kv{0};
    for (int i = 1; i <= S.NumU + S.OrderU; ++i) Ku.push_back(S.KnotU(i));
    for (int i = 1; i <= S.NumV + S.OrderV; ++i) Kv.push_back(S.KnotV(i));
    const auto Nu = ReferenceBasis(Ku, S.NumU, S.OrderU, u);
    const auto Nv = ReferenceBasis(Kv, S.NumV, S.OrderV, v);
    TRPoint P;
    for (int i = 1; i <= S.NumU; ++i)
        for (int j = 1; j <= S.NumV; ++j) {
            const TRPoint& C = S.Point(i - 1, j - 1);
            P.SetXYZ(P.X + C.X * Nu[i] * Nv[j], P.Y + C.Y * Nu[i] * Nv[j],
                     P.Z + C.Z * Nu[i] * Nv[j]);
        }
    return P;
}

} // namespace

TEST(BSplineSurface, PointAtAndSampleMeshEqualTheRecursion) {
    for (std::uint8_t Kind : {ktOpen, ktCustom}) {
        auto S = RandomSurface(23, 12, 5 + Kind);
        S->OrderV = 3;
        S->MakeKnots();
        if (Kind == ktCustom) {
            S->KnotType = ktCustom;
            S->KnotsUFromString(
                "[0 0 0 0 0.5 1 1 2.5 3 3.2 4 4 4 5 6 7 8 8.5 9 10 11 12 13 14 14 14 14]");
            S->MinU = 0.7;
            S->MaxU = 13.3;
            S->MinV = 0.1;
            S->MaxV = 9.9;
        }
        const auto M = S->SampleMesh(69, 36);
        EXPECT_NEAR(S->BasisU(23), Kind == ktOpen ? 1 : 0.027, 1e-12); // of the last sample, UMax
        for (int i = 0; i < 69; ++i)
            for (int j = 0; j < 36; ++j) {
                const double u = S->UMin() + i * S->URange() / 68,
                             v = S->VMin() + j * S->VRange() / 35;
                const TRPoint R = ReferencePoint(*S, u, v);
                EXPECT_LT(Distance(M->Point(i, j), R), 1e-12);
                EXPECT_LT(Distance(*S->PointAt(u, v), R), 1e-12);
            }
    }
}

// Evaluation keeps what it derives from the knots between points; every change to the knots,
// orders or net after a first evaluation must show in the next one.
TEST(BSplineSurface, PointAtFollowsChangedKnotsOrdersAndNet) {
    auto S = RandomSurface(9, 7, 3);
    S->MakeKnots();
    const auto ExpectReference = [&](const char* Step) {
        for (double u : {0.0, 0.3, 1.0, 2.7, 4.5, 5.99})
            for (double v : {0.0, 1.25, 3.5})
                EXPECT_LT(Distance(*S->PointAt(u, v), ReferencePoint(*S, u, v)), 1e-12)
                    << Step << " u=" << u << " v=" << v;
    };
    ExpectReference("open");
    S->SetKnotU(6, 1.5); // still sorted: another span width
    ExpectReference("knot moved");
    S->Point(3, 2).SetXYZ(40, -40, 40);
    ExpectReference("net point moved");
    S->SetOrderU(3);
    S->MakeKnots();
    ExpectReference("order 3");
    S->SetKnotU(5, 3.5); // unsorted
    ExpectReference("knots unsorted");
}

TEST(BSplineSurface, KnotsRangesAndCorners) {
    TBSplineSurface S(4, 4);
    S.Point(3, 3).SetXYZ(3, 3, 0);
    S.MakeKnots();
    EXPECT_EQ(S.KnotsUToString() + S.KnotsVToString(), "[0 0 0 0 1 1 1 1][0 0 0 0 1 1 1 1]");
    EXPECT_EQ(S.PointAt(1, 1)->Y, 3); // the last net point

    TBSplineSurface W(6, 5);
    W.MakeKnots();
    EXPECT_EQ(W.UMax(), 3);
    W.ForcedBezier = true;
    W.MakeKnots();
    EXPECT_EQ(W.UMax(), 1);
    EXPECT_EQ(W.VMax(), 1);
    W.SetOrderU(4);
    EXPECT_FALSE(W.ForcedBezier);

    EXPECT_THROW(S.SampleMesh(1, 5), EGeometryError);

    // Knots and ranges so wide that their differences overflow raise instead of giving NaN.
    TBSplineSurface Wide(2, 2);
    Wide.OrderU = Wide.OrderV = 2;
    Wide.KnotType = ktCustom;
    Wide.KnotsUFromString("[-1E308 -1E308 1E308 1E308]");
    Wide.KnotsVFromString("[0 0 1 1]");
    EXPECT_THROW(Wide.PointAt(-1e308, 0), EMathError);
    Wide.MinU = -1e308;
    EXPECT_THROW(Wide.SampleMesh(2, 2), EMathError); // the first sample is at -1e308
    Wide.MaxU = 1e308;
    ExpectMessage([&] { Wide.SampleMesh(2, 2); }, OverflowText); // the range
}

TEST(BSplineSurface, FacesIsoLinesAndTranspose) {
    auto S = RandomSurface(6, 5, 1);
    EXPECT_EQ(S->GetPolygons()->Count(), 1152);
    TLineRecorder Lines;
    S->DrawIsoLines(Lines);
    ASSERT_EQ(Lines.Lines.size(), 2450u);
    // u lines first: the first u line runs along v from (UMin, VMin) to (UMin, VMax).
    EXPECT_EQ(Lines.Lines[0][0], S->PointAt(0, 0)->X);
    EXPECT_EQ(Lines.Lines[48][3], S->PointAt(0, S->VMax())->X);
    EXPECT_EQ(Lines.Lines[25 * 49 + 48][3], S->PointAt(S->UMax(), 0)->X);
    S->IsoSamples = 1;
    EXPECT_THROW(S->DrawIsoLines(Lines), EGeometryError);

    TBSplineSurface T(3, 5);
    T.OrderU = 3;
    T.Transpose();
    EXPECT_EQ(std::vector<int>({T.NumU, T.OrderU, T.OrderV}), std::vector<int>({5, 4, 3}));
}

TEST(BSplineSurface, Records) {
    TBSplineSurface S(2, 2);
    S.OrderU = S.OrderV = 2;
    S.Point(1, 1).SetXYZ(1, 1, 1);
    EXPECT_EQ(RecordLines(S)[0], "OrderU=2");
    S.KnotType = ktCustom;
    S.KnotsUFromString("[0 0 1 1]");
    S.KnotsVFromString("[0 0 0.5 1]");
    S.MinU = 1e-6;
    S.MaxU = 1;
    S.MaxV = 1.5e20;
    S.ForcedBezier = true;
    const auto Lines = RecordLines(S);
    EXPECT_EQ(
        std::vector<std::string>(Lines.begin(), Lines.begin() + 10),
        (std::vector<std::string>{"KnotType=Custom", "KnotU=[0 0 1 1]", "KnotV=[0 0 0.5 1]",
                                  "MinUParameter=1E-6", "MinVParameter=0", "MaxUParameter=1",
                                  "MaxVParameter=1.5E20", "ForcedBezier", "OrderU=2", "OrderV=2"}));
    TBSplineSurface R(0, 0);
    ReadRecord(R, Lines);
    EXPECT_EQ(R.MinU, 0.000001); // kept as written, not cut
    EXPECT_EQ(RecordLines(R), Lines);

    const std::string OrderU = "Error in field BSplineSurface.OrderU",
                      OrderV = "Error in field BSplineSurface.OrderV";
    const std::vector<std::pair<std::vector<std::string>, std::string>> Bad{
        {{"ForcedBezier ", "OrderV=2"}, OrderU},
        {{"KnotType=Spline"}, SurfaceKnotTypeErrorText},
        {{"KnotType=Custom", "[0]", "[0]", "MinUParameter=0", "x"},
         "Error in field BSplineSurface.MinVParameter"},
        {{"OrderU=0", "OrderV=2"}, OrderU},
        {{"OrderU=2", "OrderV=501"}, OrderV}};
    TBSplineSurface N(1, 1);
    for (const auto& [Record, Text] : Bad) ExpectReadFails(N, Record, Text);
    // The flag makes the net's sizes the orders.
    std::vector<std::string> Bezier{"ForcedBezier", "OrderU=2", "OrderV=2", "NumU=1", "NumV=501"};
    Bezier.insert(Bezier.end(), 501, "0 0 0 1");
    ExpectReadFails(N, Bezier, OrderV);
    // An Open kind line carries no knot block.
    ReadRecord(N, {"KnotType=Open", "OrderU=3", "OrderV=2", "NumU=0", "NumV=0"});
    EXPECT_EQ(std::vector<int>({N.KnotType, N.OrderU, N.OrderV}), std::vector<int>({ktOpen, 3, 2}));
    N.KnotType = ktPeriodic;
    ExpectMessage([&] { RecordLines(N); }, SurfaceRangeErrorText);

    TBSplineSurfaceList List;
    List.Add(std::make_unique<TBSplineSurface>(1, 1));
    EXPECT_EQ(RecordLines(List)[1], "OrderU=4");
}
