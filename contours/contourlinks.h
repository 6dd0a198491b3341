// The cut segments of one cutting plane and their joining into polylines.
#pragma once

#include "geometry/color.h"
#include "geometry/point.h"

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

// The segments one plane leaves in a triangle set, in the order the triangles were cut.
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

    // Adds the segment this plane leaves in a three-cornered Polygon whose extents are E:
    // corners lying exactly on the plane first, then crossings of the edges P1-P2, P2-P3,
    // P3-P1. Four-cornered faces, faces lying in the plane and single touching points add
    // nothing.
    void Cut(const TPolygon& Polygon, const TExtents& E);
    // Orders each link's ends, sorts the links by first end then second end, and removes
    // links without length and duplicates of their neighbour.
    void SortAndClean();
    // Sorts and cleans, then chains the links into polylines appended to Result, each grown
    // at its first point and then at its last point by the first remaining link that touches
    // it, until no link touches either end. Consumes every link.
    void Join(TPolylineList& Result);

private:
    std::vector<std::unique_ptr<TCLink>> Links;
};

// One TContourLinks per cutting plane: the X planes, then the Y planes, then the Z planes.
class TLinksList {
public:
    int Count() const { return static_cast<int>(Items.size()); }
    TContourLinks& Links(int i) const;
    TContourLinks& Add(std::uint8_t Axis, double Position);

private:
    std::vector<std::unique_ptr<TContourLinks>> Items;
};

// Polyline colours of the X, Y and Z planes: yellow, red, blue.
inline constexpr TColor ContourColors[3] = {0x0000FFFF, 0x000000FF, 0x00FF0000};
