// Building the lines plan: cutting every triangle with every plane, then joining per plane.
#include "contours/createcontours.h"

#include "contours/contours.h"
#include "contours/linkindex.h"
#include "contours/planecut.h"
#include "geometry/console.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double MinimumChainLength = 0.001;
// The share of the reported work that sorting the triangles to the planes stands for, cutting
// and joining plane by plane taking the rest: about what each takes on a finely sampled hull.
constexpr double SortingShare = 0.3;
// Triangles sorted between two reports of progress.
constexpr int TrianglesPerReport = 8192;

// How many triangles ahead of the one being cut are fetched into the cache.
constexpr std::size_t PrefetchDistance = 8;

void Prefetch(const TPolygon& T) {
    __builtin_prefetch(&T.P1);
    __builtin_prefetch(&T.P3);
}

// A cutting plane and the triangles whose extent reaches it, in the order of the triangle set.
struct TPlane {
    std::uint8_t Axis;
    double Position;
    std::vector<const TPolygon*> Triangles;
};

std::vector<TPlane> PlanesOf(const TContours& Contours) {
    std::vector<TPlane> Result;
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis) {
        const TContourList& List = Contours.List(Axis);
        for (int i = 0; i < List.Count(); ++i)
            Result.push_back({Axis, List.Contour(i).Position, {}});
    }
    return Result;
}

// Passes on a fraction only a step beyond the last one passed, and the completion, so that the
// receiver hears steady growth a hundred times at most, however many planes there are.
class TProgressReport {
public:
    explicit TProgressReport(const TContourProgress& AReport) : Report(AReport) {}
    void operator()(double Fraction) {
        if (!Report || (Fraction < Last + 0.01 && !(Fraction == 1.0 && Last < 1.0))) return;
        Last = Fraction;
        Report(Fraction);
    }

private:
    const TContourProgress& Report;
    double Last = -1.0;
};

// The planes of one axis ordered by position, so that a triangle is offered only to the planes
// within its extent instead of being tested against all of them.
class TPlanesByPosition {
public:
    TPlanesByPosition(std::vector<TPlane>& All, int Axis) {
        std::vector<TPlane*> Sorted;
        for (TPlane& P : All)
            if (P.Axis == Axis && !std::isnan(P.Position)) Sorted.push_back(&P);
        std::sort(Sorted.begin(), Sorted.end(),
                  [](const TPlane* A, const TPlane* B) { return A->Position < B->Position; });
        for (TPlane* P : Sorted) {
            Positions.push_back(P->Position);
            Planes.push_back(P);
        }
    }

    // Hands Polygon to each plane from Min to Max.
    void Offer(const TPolygon& Polygon, double Min, double Max) {
        for (std::size_t k = FirstFrom(Min); k < Positions.size() && Positions[k] <= Max; ++k)
            Planes[k]->Triangles.push_back(&Polygon);
    }

private:
    std::vector<double> Positions; // ascending
    std::vector<TPlane*> Planes;   // at those positions
    std::size_t Hint = 0;          // the answer for the triangle before

    // The first plane at or beyond Min, as a binary search would find it. Neighbouring
    // triangles of a sampled surface lie close together, so a walk from the answer for the one
    // before takes a step or two.
    std::size_t FirstFrom(double Min) {
        if (std::isnan(Min)) return 0;
        while (Hint > 0 && Positions[Hint - 1] >= Min) --Hint;
        while (Hint < Positions.size() && Positions[Hint] < Min) ++Hint;
        return Hint;
    }
};

void SortToPlanes(const TPolygons& Polygons, std::vector<TPlane>& Planes, TProgressReport& Report) {
    TPlanesByPosition X(Planes, 0), Y(Planes, 1), Z(Planes, 2);
    TExtents E;
    for (int i = 0; i < Polygons.Count(); ++i) {
        if (i % TrianglesPerReport == 0) Report(SortingShare * i / Polygons.Count());
        const TPolygon& Polygon = Polygons.Polygon(i);
        if (Polygon.Kind() == 1) continue;
        Polygon.PolygonExtents(E);
        X.Offer(Polygon, E.MinX, E.MaxX);
        Y.Offer(Polygon, E.MinY, E.MaxY);
        Z.Offer(Polygon, E.MinZ, E.MaxZ);
    }
}

// Cuts Plane's triangles into Segments (cleared first). A fault in the arithmetic of a cut
// raises, as it would for a single triangle.
void CutPlane(const TPlane& Plane, std::vector<TCutSegment>& Segments) {
    Segments.clear();
    TExtents E;
    TCutSegment S;
    const std::size_t N = Plane.Triangles.size();
    for (std::size_t i = 0; i < N; ++i) {
        // The triangles of a waterline or buttock lie far apart in memory: ask for those a few
        // steps ahead while cutting this one.
        if (i + PrefetchDistance < N) Prefetch(*Plane.Triangles[i + PrefetchDistance]);
        const TPolygon& T = *Plane.Triangles[i];
        T.PolygonExtents(E);
        if (CutTriangle(T, E, Plane.Axis, Plane.Position, S)) Segments.push_back(S);
    }
}

// Cuts and joins plane by plane, so that one plane's segments are all that is held. A failure
// while joining costs the whole result, not the program; the planes after it are still cut, so
// that a fault in cutting raises as ever.
std::unique_ptr<TPolylineList> CutAndJoin(std::vector<TPlane>& Planes, TProgressReport& Report) {
    std::size_t Total = 0, Done = 0;
    for (const TPlane& P : Planes) Total += P.Triangles.size();
    auto Result = std::make_unique<TPolylineList>();
    std::vector<TCutSegment> Segments;
    TLinkEndIndex Index;
    for (const TPlane& P : Planes) {
        // Short of 1 until the end, also when the planes left have nothing to cut.
        Report(SortingShare +
               (1 - SortingShare) * static_cast<double>(Done) / static_cast<double>(Total + 1));
        Done += P.Triangles.size();
        CutPlane(P, Segments);
        if (!Result) continue;
        try {
            JoinSegments(Segments, ContourColors[P.Axis], MinimumChainLength, Index, *Result);
        } catch (...) {
            Result.reset();
        }
    }
    return Result;
}

} // namespace

std::unique_ptr<TPolylineList> CreateContours(const TPolygons& Polygons, const TContours& Contours,
                                              const TContourProgress& Progress) {
    Console().WriteLine("  Creating Contours from Polygon Representation...");
    auto Planes = PlanesOf(Contours);
    if (Planes.empty()) return nullptr;
    TProgressReport Report(Progress);
    SortToPlanes(Polygons, Planes, Report);
    auto Result = CutAndJoin(Planes, Report);
    Report(1.0);
    return Result;
}
