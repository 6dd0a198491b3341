// Cutting triangles with one plane, and sorting, cleaning and joining the cut segments, all on
// segments held by value so that a plane's work touches one array and allocates per polyline.
#include "contours/planecut.h"

#include "contours/linkindex.h"
#include "geometry/errors.h"
#include "geometry/maths.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>

namespace {

double CoordOf(const TRPoint& P, int Axis) {
    return Axis == 0 ? P.X : Axis == 1 ? P.Y : P.Z;
}

double MinOf(const TExtents& E, int Axis) {
    return Axis == 0 ? E.MinX : Axis == 1 ? E.MinY : E.MinZ;
}

double MaxOf(const TExtents& E, int Axis) {
    return Axis == 0 ? E.MaxX : Axis == 1 ? E.MaxY : E.MaxZ;
}

// The point of edge S-E whose coordinate on Axis is Position; its other coordinates are
// interpolated, the one on Axis is Position itself so that all cut points lie in the plane.
TRPoint EdgeCrossing(const TRPoint& S, const TRPoint& E, int Axis, double Position) {
    const double t = Divide(Position - CoordOf(S, Axis), CoordOf(E, Axis) - CoordOf(S, Axis));
    TRPoint P(Finite(S.X + (E.X - S.X) * t), Finite(S.Y + (E.Y - S.Y) * t),
              Finite(S.Z + (E.Z - S.Z) * t));
    (Axis == 0 ? P.X : Axis == 1 ? P.Y : P.Z) = Position;
    return P;
}

bool Degenerate(const TCutSegment& S) {
    return SamePoint(S.P1, S.P2);
}

bool SameSegment(const TCutSegment& A, const TCutSegment& B) {
    return SamePoint(A.P1, B.P1) && SamePoint(A.P2, B.P2);
}

bool SegmentBefore(const TCutSegment& A, const TCutSegment& B) {
    const int First = ComparePoints(A.P1, B.P1);
    return First != 0 ? First < 0 : ComparePoints(A.P2, B.P2) < 0;
}

// A chain under construction: points put before the first point are kept reversed in Front, so
// that growing at either end costs the same. The buffers serve one chain after another.
class TChain {
public:
    // The first segment's ends start the chain as bare coordinates, without their weights.
    void Start(const TCutSegment& S) {
        Front.clear();
        Back.assign({TRPoint(S.P1.X, S.P1.Y, S.P1.Z), TRPoint(S.P2.X, S.P2.Y, S.P2.Z)});
    }
    const TRPoint& First() const { return Front.empty() ? Back.front() : Front.back(); }
    const TRPoint& Last() const { return Back.back(); }
    void Prepend(const TRPoint& P) { Front.push_back(P); }
    void Append(const TRPoint& P) { Back.push_back(P); }

    // Whether the chain is shorter than Length, as TPolyline::Length would measure it; the sum
    // stops once it reaches Length, as a sum of distances can only grow.
    bool ShorterThan(double Length) const {
        double Sum = 0.0;
        const TRPoint* Before = nullptr;
        auto Add = [&](const TRPoint& P) {
            if (Before) Sum += Distance(*Before, P);
            Before = &P;
            return Sum >= Length;
        };
        for (auto P = Front.rbegin(); P != Front.rend(); ++P)
            if (Add(*P)) return false;
        for (const TRPoint& P : Back)
            if (Add(P)) return false;
        return Sum < Length; // not for a length that is not a number
    }

    std::unique_ptr<TPolyline> Polyline() const {
        auto Result = std::make_unique<TPolyline>();
        for (auto P = Front.rbegin(); P != Front.rend(); ++P) Result->AddRef(Copy(*P));
        for (const TRPoint& P : Back) Result->AddRef(Copy(P));
        return Result;
    }

private:
    std::vector<TRPoint> Front, Back;

    static std::unique_ptr<TRPoint> Copy(const TRPoint& P) { return std::make_unique<TRPoint>(P); }
};

// Takes the first remaining segment touching Q out of the index and hands over its far end;
// none when no segment touches Q. The near end is tested at P1 before P2.
const TRPoint* TakeFarEnd(const std::vector<TCutSegment>& Segments, TLinkEndIndex& Index,
                          const TRPoint& Q) {
    const int i = Index.FirstTouching(Q);
    if (i < 0) return nullptr;
    Index.Remove(i);
    const TCutSegment& S = Segments[static_cast<std::size_t>(i)];
    return SamePoint(S.P1, Q) ? &S.P2 : &S.P1;
}

} // namespace

bool CutTriangle(const TPolygon& Polygon, const TExtents& E, int Axis, double Position,
                 TCutSegment& S) {
    if (Polygon.Kind() == 1 || !Between(MinOf(E, Axis), MaxOf(E, Axis), Position)) return false;
    const TRPoint* Corners[3] = {&Polygon.P1, &Polygon.P2, &Polygon.P3};
    const double c[3] = {CoordOf(Polygon.P1, Axis), CoordOf(Polygon.P2, Axis),
                         CoordOf(Polygon.P3, Axis)};
    if (c[0] == c[1] && c[1] == c[2]) return false;

    TRPoint Taken[2];
    int N = 0;
    for (int k = 0; k < 3 && N < 2; ++k)
        if (c[k] == Position) Taken[N++] = *Corners[k];
    for (int k = 0; k < 3 && N < 2; ++k) {
        const int e = (k + 1) % 3;
        if (c[k] != Position && c[e] != Position && Between(c[k], c[e], Position))
            Taken[N++] = EdgeCrossing(*Corners[k], *Corners[e], Axis, Position);
    }
    if (N < 2 || SamePoint(Taken[0], Taken[1])) return false;
    S = {Taken[0], Taken[1]};
    return true;
}

void SortAndClean(std::vector<TCutSegment>& Segments) {
    if (Segments.empty()) return;
    for (TCutSegment& S : Segments)
        if (ComparePoints(S.P1, S.P2) > 0) std::swap(S.P1, S.P2);
    // The tolerant point order is not transitive; a merge sort stays within bounds regardless.
    // Sorting numbers rather than segments moves a twelfth of the bytes.
    std::vector<std::uint32_t> Order(Segments.size());
    std::iota(Order.begin(), Order.end(), 0u);
    std::stable_sort(Order.begin(), Order.end(), [&](std::uint32_t A, std::uint32_t B) {
        return SegmentBefore(Segments[A], Segments[B]);
    });

    // Each segment is compared with its next surviving neighbour, as a walk deleting in place
    // would, without the cost of deleting from the middle.
    std::vector<TCutSegment> Kept;
    Kept.reserve(Segments.size());
    const TCutSegment* Current = &Segments[Order.front()];
    for (std::size_t k = 1; k < Order.size(); ++k) {
        const TCutSegment& Next = Segments[Order[k]];
        if (Degenerate(*Current)) {
            Current = &Next;
        } else if (!SameSegment(*Current, Next) && !Degenerate(Next)) {
            Kept.push_back(*Current);
            Current = &Next;
        }
    }
    Kept.push_back(*Current);
    Segments.swap(Kept);
}

void JoinSegments(std::vector<TCutSegment>& Segments, TColor Color, double MinLength,
                  TLinkEndIndex& Index, TPolylineList& Result) {
    if (Segments.empty()) return;
    SortAndClean(Segments);
    Index.Build(Segments);
    TChain Chain;
    for (int Start = Index.FirstPresent(); Start >= 0; Start = Index.FirstPresent()) {
        Index.Remove(Start);
        Chain.Start(Segments[static_cast<std::size_t>(Start)]);
        // Segments only ever leave the index: an end nothing touched stays untouched, and is
        // not asked again.
        bool FirstOpen = true, LastOpen = true;
        for (bool Attached = true; Attached && Index.FirstPresent() >= 0;) {
            Attached = false;
            if (FirstOpen) {
                const TRPoint* Before = TakeFarEnd(Segments, Index, Chain.First());
                if (Before) Chain.Prepend(*Before);
                Attached = FirstOpen = Before != nullptr;
            }
            if (LastOpen) {
                const TRPoint* After = TakeFarEnd(Segments, Index, Chain.Last());
                if (After) Chain.Append(*After);
                LastOpen = After != nullptr;
                Attached = Attached || LastOpen;
            }
        }
        if (Chain.ShorterThan(MinLength)) continue;
        auto Polyline = Chain.Polyline();
        Polyline->UseColors = true;
        Polyline->LineColor = Color;
        Result.AddPolyline(std::move(Polyline));
    }
    Segments.clear();
}
