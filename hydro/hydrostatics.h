// Hydrostatic particulars and curves of form of a hull surface floating upright at even keel:
// volume, centres, waterplane, stability radii, form coefficients, wetted surface and the
// sectional-area curve, integrated on the surface itself.
#pragma once

#include "hydro/bezierpatch.h"

#include <optional>
#include <utility>
#include <vector>

class TBSplineSurface;

inline const char* const DraughtNotPositiveText = "The draught must be above 0";

// The particulars at one draught. The surface is the starboard half of the hull (x forward, y the
// half-breadth, z up from the keel); areas, volumes and moments are of both halves.
struct THydroParticulars {
    double Draught = 0;
    double Lwl = 0, Bwl = 0;                    // length and breadth of the waterline
    double WaterlineAft = 0, WaterlineFore = 0; // x of its ends
    double Volume = 0, Displacement = 0;        // displacement = density x volume
    double LCB = 0, KB = 0;                     // centre of buoyancy: x, height above the keel
    double Awp = 0, LCF = 0;                    // waterplane area and the x of its centroid
    double Am = 0, AmX = 0;                     // midship section area and where it is taken
    double Cb = 0, Cm = 0, Cp = 0, Cwp = 0;
    double It = 0, Il = 0; // waterplane inertia about the centre line and about the LCF
    double BMt = 0, BMl = 0, KMt = 0, KMl = 0;
    double WettedSurface = 0;
    double ImmersedAft = 0, ImmersedFore = 0; // x extent of the immersed hull
};

// One point of a sectional-area curve: the immersed area of both halves at X.
struct TSectionArea {
    double X = 0, Area = 0;
};

class THydrostatics {
public:
    // Gauss points per direction on every piece of a knot span: 8 keeps every particular of a
    // smooth hull within about 1e-7 of its limit.
    static constexpr int DefaultGaussPoints = 8;

    double Density = 1.025;
    // Where the midship section is taken; none: the middle of the waterline.
    std::optional<double> MidshipX;
    int GaussPoints = DefaultGaussPoints;

    // The surface's spans as patches (see BezierPatches for the surfaces refused); the surface
    // itself is not kept.
    explicit THydrostatics(TBSplineSurface& Surface);

    // The particulars at Draught. Raises EGeometryError for a draught at or below 0, above the
    // lowest point of the hull's top edge, or with nothing immersed.
    THydroParticulars At(double Draught) const;
    // The immersed area of both halves of the section at X.
    double SectionArea(double Draught, double X) const;
    // The sectional-area curve: the section areas at the positions X.
    std::vector<TSectionArea> SectionalAreas(double Draught, const std::vector<double>& X) const;

    // The lowest point of the top edge (the deck edge of a hull): the deepest draught answered.
    double Top() const { return FTop; }

private:
    std::vector<TBezierPatch> FPatches;
    double FTop = 0;

    void CheckDraught(double Draught) const;
};

// Count values evenly spaced from First to Last, both included (one: First).
std::vector<double> EvenlySpaced(double First, double Last, int Count);
// Count section positions evenly spaced over the longest immersed length among Particulars (the
// ends a ten-thousandth of it inside), so that the curves of several draughts share them.
std::vector<double> SectionPositions(const std::vector<THydroParticulars>& Particulars, int Count);
