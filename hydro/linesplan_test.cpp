// The hydrostatics of generated hulls against the lines plan: the displacement by station areas
// integrated along the length, and the waterplane of the bulbous bow by its cut waterlines.
#include "hydro/hydrostatics.h"

#include "contours/computecontours.h"
#include "contours/contours.h"
#include "geometry/polylist.h"
#include "hull/keelvane.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Twice the area below Draught between a contour of one station and the centre line: the
// integral of y dz along the polyline, clipped at the waterplane.
double ImmersedArea(TPolyline& Line, double Draught) {
    double Sum = 0;
    for (int i = 1; i < Line.Count(); ++i) {
        TRPoint A = Line.Point(i - 1), B = Line.Point(i);
        if (A.Z > Draught && B.Z > Draught) continue;
        // Clip the segment at the waterplane.
        const auto Clip = [&](TRPoint& P, const TRPoint& Q) {
            const double r = (Draught - Q.Z) / (P.Z - Q.Z);
            P = TRPoint(Q.X + r * (P.X - Q.X), Q.Y + r * (P.Y - Q.Y), Draught);
        };
        if (A.Z > Draught) Clip(A, B);
        if (B.Z > Draught) Clip(B, A);
        Sum += (A.Y + B.Y) / 2 * (B.Z - A.Z);
    }
    return 2 * std::fabs(Sum);
}

// The displacement volume of the generated hull by its stations: the station areas of the lines
// plan integrated along x by the trapezoidal rule.
double VolumeByStations(TKeelvane& Hull, double Draught, double Aft, double Fore, int Count) {
    TContours Stations;
    const double dx = (Fore - Aft) / (Count - 1);
    for (int k = 0; k < Count; ++k) Stations.Add(0, Aft + k * dx);
    const auto Lines = ComputeContours(Hull, Stations);
    std::vector<double> Area(static_cast<std::size_t>(Count), 0.0);
    for (int i = 0; i < Lines->Count(); ++i) {
        TPolyline& Line = Lines->Polyline(i);
        const int k = static_cast<int>(std::lround((Line.Point(0).X - Aft) / dx));
        Area[static_cast<std::size_t>(k)] += ImmersedArea(Line, Draught);
    }
    double Volume = 0;
    for (int k = 1; k < Count; ++k) Volume += (Area[k - 1] + Area[k]) / 2 * dx;
    return Volume;
}

} // namespace

TEST(LinesPlanTest, DisplacementAgreesWithTheStationAreas) {
    for (const std::uint8_t Bulb : {0, 1}) {
        TKeelvane Hull;
        Hull.SetBowShape(Bulb);
        Hull.Generate();
        THydrostatics Hydro(Hull);
        Hydro.MidshipX = Hull.Midship();
        const double T = Hull.Parameters().Draught;
        const THydroParticulars H = Hydro.At(T);
        const double ByStations = VolumeByStations(Hull, T, H.ImmersedAft, H.ImmersedFore, 201);
        EXPECT_NEAR(H.Volume, ByStations, 1e-3 * H.Volume) << "bulb " << int(Bulb);
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
