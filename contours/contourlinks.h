// The cut segments of one cutting plane as separately held links, for callers that take links
// apart one by one, and their joining into polylines.
#pragma once

#include "contours/planecut.h"

#include <cstdint>
#include <memory>
#include <vector>

class TPolygon;
class TPolylineList;

// One cut segment. A point handed on to a polyline leaves a null end behind.
class TCLink {
public:
    std::unique_ptr<TRPoint> P1;
    std::unique_ptr<TRPoint> P2;
};

// The segments one plane leaves in a triangle set, in the order the triangles were cut. Cutting,
// cleaning and joining are those of the contour builder (see planecut.h).
class TContourLinks {
public:
    std::uint8_t Axis = 0; // 0 constant X, 1 constant Y, 2 constant Z
    double Position = 0.0;

    TContourLinks(std::uint8_t AAxis, double APosition) : Axis(AAxis), Position(APosition) {}
    TContourLinks(const TContourLinks&) = delete;
    TContourLinks& operator=(const TContourLinks&) = delete;

    int Count() const { return static_cast<int>(Links.size()); }
    TCLink& Link(int i) const;
    void Delete(int i);
    // Appends a link holding copies of A and B.
    void AddLink(const TRPoint& A, const TRPoint& B);

    // Adds the segment this plane leaves in a three-cornered Polygon whose extents are E, as
    // CutTriangle finds it.
    void Cut(const TPolygon& Polygon, const TExtents& E);
    // Orders each link's ends, sorts the links by first end then second end, and removes
    // links without length and duplicates of their neighbour.
    void SortAndClean();
    // Sorts and cleans, then chains the links into polylines appended to Result, as
    // JoinSegments does. Consumes every link.
    void Join(TPolylineList& Result);

private:
    std::vector<std::unique_ptr<TCLink>> Links;

    std::vector<TCutSegment> Segments() const;
};
