// Hydrostatics against closed forms: the Wigley hull, a box, a box whose waterline runs along a
// knot line, an immersed transom, split waterlines, convergence, and the draughts refused.
#include "hydro/hydrostatics.h"

#include "geometry/bsurface.h"
#include "geometry/testsupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

namespace {

using TNet = std::vector<std::vector<std::array<double, 3>>>; // Net[i][j]: column i, row j

std::unique_ptr<TBSplineSurface> Surface(const TNet& Net, int OrderU, int OrderV) {
    const int NumU = static_cast<int>(Net.size()), NumV = static_cast<int>(Net[0].size());
    auto S = std::make_unique<TBSplineSurface>(NumU, NumV);
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j)
            S->SetPoint(i, j, TRPoint(Net[i][j][0], Net[i][j][1], Net[i][j][2]));
    S->SetOrderU(OrderU);
    S->SetOrderV(OrderV);
    return S;
}

// The prism along x from 0 to L whose half section is the polyline Rows (y, z), open at both ends.
std::unique_ptr<TBSplineSurface> Prism(double L, const std::vector<std::array<double, 2>>& Rows) {
    TNet Net(2);
    for (int i = 0; i < 2; ++i)
        for (const auto& [y, z] : Rows) Net[i].push_back({i * L, y, z});
    return Surface(Net, 2, 2);
}

// The Wigley hull y = B/2 (1 - (2x/L - 1)^2)(1 - ((T - z)/T)^2) for x from X0 to L, 0 <= z <= T:
// in each direction a quadratic, so exactly a Bezier net of 3 x 3. With X0 > 0 it ends at an
// immersed transom.
constexpr double L = 100, B = 10, T = 6;
std::unique_ptr<TBSplineSurface> Wigley(double X0 = 0) {
    const double Xi0 = 2 * X0 / L - 1;
    const double F[3] = {1 - Xi0 * Xi0, 1 - Xi0 * Xi0 - Xi0 * (1 - Xi0), 0}; // across x
    const double G[3] = {0, 1, 1};                                           // up z
    TNet Net(3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Net[i].push_back({X0 + (L - X0) * i / 2, B / 2 * F[i] * G[j], T * j / 2});
    auto S = Surface(Net, 3, 3);
    S->ForcedBezier = true;
    return S;
}

void ExpectRelative(double Actual, double Expected, double Tolerance, const char* What) {
    EXPECT_NEAR(Actual, Expected, Tolerance * std::fabs(Expected)) << What;
}

} // namespace

TEST(HydrostaticsTest, WigleyHullHasItsClosedForms) {
    auto S = Wigley();
    THydrostatics Hydro(*S);
    const THydroParticulars H = Hydro.At(T);
    const double Tol = 1e-5;
    ExpectRelative(H.Lwl, L, Tol, "Lwl");
    ExpectRelative(H.Bwl, B, Tol, "Bwl");
    ExpectRelative(H.Cb, 4.0 / 9, Tol, "Cb");
    ExpectRelative(H.Cm, 2.0 / 3, Tol, "Cm");
    ExpectRelative(H.Cp, 2.0 / 3, Tol, "Cp");
    ExpectRelative(H.Cwp, 2.0 / 3, Tol, "Cwp");
    ExpectRelative(H.LCB, L / 2, Tol, "LCB");
    ExpectRelative(H.LCF, L / 2, Tol, "LCF");
    ExpectRelative(H.KB, 5 * T / 8, Tol, "KB");
    ExpectRelative(H.BMt, 3 * B * B / (35 * T), Tol, "BMt");
    ExpectRelative(H.BMl, 3 * L * L / (40 * T), Tol, "BMl");
    ExpectRelative(H.Displacement, 1.025 * 4 * L * B * T / 9, Tol, "displacement");
    ExpectRelative(H.AmX, L / 2, Tol, "midship");
}

TEST(HydrostaticsTest, BoxIsExact) {
    const double Lb = 80, Half = 6, D = 9, Tb = 4;
    auto S = Prism(Lb, {{0, 0}, {Half, 0}, {Half, D}});
    THydrostatics Hydro(*S);
    const THydroParticulars H = Hydro.At(Tb);
    const double Bb = 2 * Half, Tol = 1e-12;
    ExpectRelative(H.Lwl, Lb, Tol, "Lwl");
    ExpectRelative(H.Bwl, Bb, Tol, "Bwl");
    ExpectRelative(H.Volume, Lb * Bb * Tb, Tol, "volume");
    ExpectRelative(H.LCB, Lb / 2, Tol, "LCB");
    ExpectRelative(H.KB, Tb / 2, Tol, "KB");
    ExpectRelative(H.Awp, Lb * Bb, Tol, "Awp");
    ExpectRelative(H.LCF, Lb / 2, Tol, "LCF");
    ExpectRelative(H.Am, Bb * Tb, Tol, "Am");
    for (double C : {H.Cb, H.Cm, H.Cp, H.Cwp}) ExpectRelative(C, 1, Tol, "coefficient");
    ExpectRelative(H.BMt, Bb * Bb / (12 * Tb), Tol, "BMt");
    ExpectRelative(H.BMl, Lb * Lb / (12 * Tb), Tol, "BMl");
    ExpectRelative(H.WettedSurface, Lb * (Bb + 2 * Tb), Tol, "wetted surface");

    // The same box with a net row on the waterplane: the waterline runs along a knot line, and
    // the lower span only touches the plane while the upper one rests on it.
    auto OnKnot = Prism(Lb, {{0, 0}, {Half, 0}, {Half, Tb}, {Half, D}});
    const THydroParticulars K = THydrostatics(*OnKnot).At(Tb);
    ExpectRelative(K.Volume, H.Volume, Tol, "volume, waterline on a knot line");
    ExpectRelative(K.Awp, H.Awp, Tol, "Awp, waterline on a knot line");
    ExpectRelative(K.Am, H.Am, Tol, "Am, waterline on a knot line");
    ExpectRelative(K.WettedSurface, H.WettedSurface, Tol,
                   "wetted surface, waterline on a knot line");
}

TEST(HydrostaticsTest, ImmersedTransomEndsTheWaterline) {
    // The Wigley hull cut at a quarter of its length: xi = 2x/L - 1 runs from -1/2 to 1.
    const double X0 = L / 4, Xi0 = -0.5;
    const auto F = [](double Xi) { return Xi - Xi * Xi * Xi / 3; }; // of 1 - xi^2
    const auto FX = [](double Xi) {
        return Xi + Xi * Xi / 2 - Xi * Xi * Xi / 3 - Xi * Xi * Xi * Xi / 4;
    }; // of (1 + xi)(1 - xi^2)
    const double Length = L / 2 * (F(1) - F(Xi0)), Moment = L * L / 4 * (FX(1) - FX(Xi0));
    auto S = Wigley(X0);
    THydrostatics Hydro(*S);
    const THydroParticulars H = Hydro.At(T);
    const double Tol = 1e-9;
    ExpectRelative(H.Volume, B * Length * 2 * T / 3, Tol, "volume");
    ExpectRelative(H.LCB, Moment / Length, Tol, "LCB");
    ExpectRelative(H.Awp, B * Length, Tol, "Awp");
    ExpectRelative(H.LCF, Moment / Length, Tol, "LCF");
    ExpectRelative(H.Lwl, L - X0, Tol, "Lwl");
    ExpectRelative(H.WaterlineAft, X0, Tol, "aft end of the waterline");
    // The section at the transom is the transom itself, found once.
    ExpectRelative(Hydro.SectionArea(T, X0), B * (1 - Xi0 * Xi0) * 2 * T / 3, Tol, "transom");
    ExpectRelative(H.Am, B * (1 - 0.25 * 0.25) * 2 * T / 3, Tol,
                   "Am at the middle of the waterline");
}

TEST(HydrostaticsTest, SplitWaterlinesCountEveryPiece) {
    // A half section with a notch that opens downwards: at z = 2 the waterline crosses it three
    // times, so each side's waterplane has two strips, y in 0 .. 2 and 3 .. 4.
    const double Lp = 50;
    auto Notched = Prism(Lp, {{0, 0}, {4, 0}, {4, 3}, {3, 3}, {3, 1}, {2, 1}, {2, 5}});
    const THydroParticulars N = THydrostatics(*Notched).At(2);
    const double Tol = 1e-12;
    ExpectRelative(N.Volume, 2 * 7 * Lp, Tol, "volume");
    ExpectRelative(N.KB, 6.5 / 7, Tol, "KB");
    ExpectRelative(N.Awp, 2 * 3 * Lp, Tol, "Awp");
    ExpectRelative(N.Bwl, 8, Tol, "Bwl");
    ExpectRelative(N.Am, 14, Tol, "Am");
    ExpectRelative(N.It, 30 * Lp, Tol, "It");
    ExpectRelative(N.WettedSurface, 18 * Lp, Tol, "wetted surface");

    // A keel that rises above the waterplane amidships, as a bulb stands clear of the stem:
    // two waterplanes, fore and aft, each a strip of length l = L T / (2 H).
    const double Lt = 60, Half = 3, H = 4, Tt = 1, D = 6, l = Lt * Tt / (2 * H);
    TNet Net;
    for (const auto& [x, k] : std::vector<std::array<double, 2>>{{0, 0}, {Lt / 2, H}, {Lt, 0}})
        Net.push_back({{x, 0, k}, {x, Half, k}, {x, Half, D}});
    auto Tunnel = Surface(Net, 2, 2);
    THydrostatics Hydro(*Tunnel);
    Hydro.MidshipX = l / 2;
    const THydroParticulars K = Hydro.At(Tt);
    ExpectRelative(K.Volume, 2 * Half * l * Tt, Tol, "volume");
    ExpectRelative(K.LCB, Lt / 2, Tol, "LCB");
    ExpectRelative(K.KB, 2 * Tt / 3, Tol, "KB");
    ExpectRelative(K.Awp, 2 * 2 * Half * l, Tol, "Awp");
    ExpectRelative(K.Lwl, Lt, Tol, "Lwl");
    ExpectRelative(K.Il, 2 * 2 * Half * (std::pow(Lt / 2, 3) - std::pow(Lt / 2 - l, 3)) / 3, Tol,
                   "Il");
    ExpectRelative(K.Am, 2 * Half * Tt / 2, Tol, "Am");
    ExpectRelative(K.WettedSurface, 2 * (2 * Half * std::hypot(l, Tt) + l * Tt), Tol,
                   "wetted surface");

    // A horizontal face lying in the waterplane (z = 0.7, which rounds in the patches): a
    // shelf on the side adds nothing.
    auto Shelf = Prism(Lp, {{0, 0}, {3, 0}, {3, 0.7}, {4, 0.7}, {4, 5}});
    const THydroParticulars F = THydrostatics(*Shelf).At(0.7);
    ExpectRelative(F.Volume, 2 * 3 * 0.7 * Lp, Tol, "volume below a shelf in the waterplane");
    ExpectRelative(F.Awp, 2 * 3 * Lp, Tol, "Awp below a shelf in the waterplane");

    // The keel touching the waterplane at one point: nothing more is immersed than below it.
    const THydroParticulars Touch = Hydro.At(H);
    ExpectRelative(Touch.Volume, 2 * Half * Lt * H / 2, Tol, "volume touching");
    ExpectRelative(Touch.Awp, 2 * Half * Lt, Tol, "Awp touching");
}

TEST(HydrostaticsTest, ErrorFallsAsTheSamplingIsRefined) {
    // The wetted surface of the Wigley hull is not a polynomial integral: a finer rule must come
    // closer to the limit, as must the volume of a draught whose waterline runs across spans.
    auto S = Wigley();
    THydrostatics Hydro(*S);
    Hydro.GaussPoints = 24;
    const double Limit = Hydro.At(T).WettedSurface;
    double Last = INFINITY;
    for (int n : {2, 3, 4, 6, 8}) {
        Hydro.GaussPoints = n;
        const double Error = std::fabs(Hydro.At(T).WettedSurface - Limit);
        EXPECT_LT(Error, Last) << n << " points";
        Last = Error;
    }
    EXPECT_LT(Last / Limit, 1e-6);
}

TEST(HydrostaticsTest, DraughtsWithoutAnAnswerAreRefused) {
    auto S = Prism(10, {{0, 1}, {2, 1}, {2, 4}});
    THydrostatics Hydro(*S);
    ExpectMessage([&] { Hydro.At(0); }, DraughtNotPositiveText);
    ExpectMessage([&] { Hydro.At(-1); }, DraughtNotPositiveText);
    ExpectMessage([&] { Hydro.At(4.5); },
                  "The draught 4.5 is above the top edge of the hull at 4.000");
    ExpectMessage([&] { Hydro.At(0.5); }, "Nothing of the hull is immersed at draught 0.5");
    ExpectMessage([&] { Hydro.At(1); }, "Nothing of the hull is immersed at draught 1");
    EXPECT_NEAR(Hydro.At(4).Volume, 10 * 4 * 3, 1e-9);
}
