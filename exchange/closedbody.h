// The closed body of a hull surface as a triangle mesh, for meshers and model making: the
// starboard half and its port mirror welded along the centre plane and closed by flat lids where
// the surface's edges leave it (deck, transom), every face pointing outward.
#pragma once

#include "geometry/point.h"

#include <array>
#include <memory>
#include <vector>

class TBSplineSurface;

struct TTriangleMesh {
    std::vector<TRPoint> Vertices;
    std::vector<std::array<int, 3>> Triangles; // indices into Vertices, counter-clockwise outside

    // The enclosed volume, positive when the faces point outward.
    double Volume() const;
};

// The most facets per knot span the body takes in each direction.
inline constexpr int MaxSpanSamples = 256;

// The body with SpanSamples facets per knot span in each direction (1 .. MaxSpanSamples), or with
// SpanSamples 0 the coarsest doubling from 2 whose volume lies within 0.1 % of the surface's (at
// most 64). EGeometryError when the surface does not close into a watertight body: an open edge,
// or one where the halves touch inside the surface at the chosen sampling.
std::unique_ptr<TTriangleMesh> ClosedBody(TBSplineSurface& Surface, int SpanSamples = 0);
