// The check every exporter makes of the surface it is given, before it samples or translates it.
#pragma once

class TBSplineSurface;

inline const char* const NoSurfaceText =
    "The project holds no hull surface: generate the hull first";

// Makes the surface's knots and checks that it is a B-spline that can be evaluated over its
// range: a whole control net with some extent (NoSurfaceText otherwise), orders that fit the
// net, knots in ascending order and a range inside them. EGeometryError naming the fault.
void PrepareSurface(TBSplineSurface& Surface);
