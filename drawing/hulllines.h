// The lines of a hull as a drawing shows them: the edges of its surface and its sections by the
// cutting planes, each as smooth as the drawing's scale needs.
#pragma once

#include "geometry/polylist.h"

#include <memory>
#include <vector>

class TBSplineSurface;
class TContours;

// The lines cut by one plane (several polylines where the plane cuts the hull in pieces).
struct THullSection {
    int Axis = 0; // 0 a station (constant x), 1 a buttock (constant y), 2 a waterline (constant z)
    double Position = 0;
    TPolylineList Lines;
};

struct THullLines {
    // The surface's edges: along its length the keel or centre line and the deck edge, across
    // it the aft end and the stem.
    TPolylineList Lengthwise, Ends;
    // One per plane, in the planes' order, stations first, then buttocks, then waterlines.
    std::vector<std::unique_ptr<THullSection>> Sections;
    // The waterline at the design draught, wherever the planes lie.
    std::unique_ptr<THullSection> DesignWaterline;
};

// The extents of Surface sampled as its lines are. Raises EGeometryError "The hull has no extent
// to draw" for a surface without a net, or one without length, breadth or height.
TExtents HullExtents(TBSplineSurface& Surface);
// The lines of Surface, each polyline within Tolerance (a world length) of the true curve
// between its points; raises as HullExtents.
std::unique_ptr<THullLines> BuildHullLines(TBSplineSurface& Surface, const TContours& Planes,
                                           double Draught, double Tolerance);
