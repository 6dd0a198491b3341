// The segments one cutting plane leaves in a triangle set, held by value in one array, and their
// cleaning and joining into polylines: the inner loop of the contour builder.
#pragma once

#include "geometry/color.h"
#include "geometry/point.h"

#include <cstdint>
#include <vector>

class TLinkEndIndex;
class TPolygon;
class TPolylineList;

// One cut segment.
struct TCutSegment {
    TRPoint P1, P2;
};

// The segment the plane Axis = Position leaves in a three-cornered Polygon whose extents are E:
// corners lying exactly on the plane first, then crossings of the edges P1-P2, P2-P3, P3-P1.
// False, S untouched, for four-cornered faces, faces lying in the plane and single touching
// points.
bool CutTriangle(const TPolygon& Polygon, const TExtents& E, int Axis, double Position,
                 TCutSegment& S);

// Orders each segment's ends, sorts the segments by first end then second end, and removes
// segments without length and duplicates of their neighbour.
void SortAndClean(std::vector<TCutSegment>& Segments);

// Sorts and cleans Segments, then chains them into polylines of colour Color, each grown at its
// first point and then at its last point by the first remaining segment that touches it, until
// no segment touches either end; the chains not shorter than MinLength are appended to Result.
// Consumes every segment; Index is working space that keeps its buffers from one plane to the
// next.
void JoinSegments(std::vector<TCutSegment>& Segments, TColor Color, double MinLength,
                  TLinkEndIndex& Index, TPolylineList& Result);

// Polyline colours of the X, Y and Z planes: yellow, red, blue.
inline constexpr TColor ContourColors[3] = {0x0000FFFF, 0x000000FF, 0x00FF0000};
