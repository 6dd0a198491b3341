// The hydrostatics of generated hulls against their lines plan, drawn on the true surface: the
// displacement by station areas integrated along the length, and the waterplane area by the
// design waterline.
#include "hydro/hydrostatics.h"

#include "contours/contours.h"
#include "drawing/hulllines.h"
#include "geometry/polyline.h"
#include "hull/keelvane.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int AlongX = 0, UpZ = 2;

// The integral of y dz along a station's line below Draught (the line clipped at the
// waterplane), or of y dx along a waterline (Draught infinite).
double Integral(const TPolyline& Line, int Axis, double Draught) {
    double Sum = 0;
    for (int i = 1; i < Line.Count(); ++i) {
        TRPoint A = Line.At(i - 1), B = Line.At(i);
        if (A.Z > Draught && B.Z > Draught) continue;
        const auto Clip = [&](TRPoint& P, const TRPoint& Q) {
            const double r = (Draught - Q.Z) / (P.Z - Q.Z);
            P = TRPoint(Q.X + r * (P.X - Q.X), Q.Y + r * (P.Y - Q.Y), Draught);
        };
        if (A.Z > Draught) Clip(A, B);
        if (B.Z > Draught) Clip(B, A);
        Sum += (A.Y + B.Y) / 2 * (B.Coord(Axis) - A.Coord(Axis));
    }
    return Sum;
}

// Twice the area enclosed by the lines of a section and the centre line.
double Area(const THullSection& S, int Axis, double Draught) {
    double Sum = 0;
    for (int i = 0; i < S.Lines.Count(); ++i)
        Sum += std::fabs(Integral(S.Lines.Polyline(i), Axis, Draught));
    return 2 * Sum;
}

} // namespace

TEST(LinesPlanTest, VolumeAndWaterplaneAgreeWithTheLinesPlan) {
    for (const std::uint8_t Bulb : {0, 1}) {
        TKeelvane Hull;
        Hull.SetBowShape(Bulb);
        Hull.Generate();
        THydrostatics Hydro(Hull);
        Hydro.MidshipX = Hull.Midship();
        const double T = Hull.Parameters().Draught;
        const THydroParticulars H = Hydro.At(T);
        // 201 stations over the immersed length, the lines within 0.1 mm of the surface.
        constexpr int Count = 201;
        const double dx = (H.ImmersedFore - H.ImmersedAft) / (Count - 1);
        TContours Stations;
        for (int k = 0; k < Count; ++k) Stations.Add(0, H.ImmersedAft + k * dx);
        const auto Lines = BuildHullLines(Hull, Stations, T, 1e-4);
        double Volume = 0;
        for (int k = 1; k < Count; ++k)
            Volume += (Area(*Lines->Sections[k - 1], UpZ, T) + Area(*Lines->Sections[k], UpZ, T)) /
                      2 * dx;
        EXPECT_NEAR(H.Volume, Volume, 1e-4 * H.Volume) << "bulb " << int(Bulb);
        EXPECT_NEAR(H.Awp, Area(*Lines->DesignWaterline, AlongX, INFINITY), 2e-5 * H.Awp)
            << "bulb " << int(Bulb);
    }
}

TEST(LinesPlanTest, GeneratedHullConvergesAsTheSamplingIsRefined) {
    // The waterline of a real hull crosses its spans along curves: the trimmed rule must still
    // close in on the limit.
    TKeelvane Hull;
    Hull.SetBowShape(1);
    Hull.Generate();
    THydrostatics Hydro(Hull);
    const double T = Hull.Parameters().Draught;
    Hydro.GaussPoints = 16;
    const double Limit = Hydro.At(T).Volume;
    double Last = INFINITY;
    for (int n : {2, 3, 6, 12}) {
        Hydro.GaussPoints = n;
        const double Error = std::fabs(Hydro.At(T).Volume - Limit);
        EXPECT_LT(Error, Last) << n << " points";
        Last = Error;
    }
    Hydro.GaussPoints = THydrostatics::DefaultGaussPoints;
    EXPECT_LT(std::fabs(Hydro.At(T).Volume - Limit), 1e-9 * Limit);
}
