// Cutting triangles with one plane, and sorting, cleaning and joining the cut segments.
#include "contours/contourlinks.h"

#include "contours/linkindex.h"
#include "geometry/errors.h"
#include "geometry/listindex.h"
#include "geometry/maths.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

#include <algorithm>

namespace {

double MinOf(const TExtents& E, int Axis) {
    return Axis == 0 ? E.MinX : Axis == 1 ? E.MinY : E.MinZ;
}

double MaxOf(const TExtents& E, int Axis) {
    return Axis == 0 ? E.MaxX : Axis == 1 ? E.MaxY : E.MaxZ;
}

// The point of edge S-E whose coordinate on Axis is Position; its other coordinates are
// interpolated, the one on Axis is Position itself so that all cut points lie in the plane.
TRPoint EdgeCrossing(const TRPoint& S, const TRPoint& E, int Axis, double Position) {
    const double t = Divide(Position - S.Coord(Axis), E.Coord(Axis) - S.Coord(Axis));
    TRPoint P(Finite(S.X + (E.X - S.X) * t), Finite(S.Y + (E.Y - S.Y) * t),
              Finite(S.Z + (E.Z - S.Z) * t));
    (Axis == 0 ? P.X : Axis == 1 ? P.Y : P.Z) = Position;
    return P;
}

bool Degenerate(const TCLink& L) {
    return SamePoint(*L.P1, *L.P2);
}

bool SameLink(const TCLink& A, const TCLink& B) {
    return SamePoint(*A.P1, *B.P1) && SamePoint(*A.P2, *B.P2);
}

bool LinkBefore(const std::unique_ptr<TCLink>& A, const std::unique_ptr<TCLink>& B) {
    const int First = ComparePoints(*A->P1, *B->P1);
    return First != 0 ? First < 0 : ComparePoints(*A->P2, *B->P2) < 0;
}

// A chain under construction: points put before the first point are kept reversed in Front, so
// that growing at either end costs the same.
class TChain {
public:
    TChain(const TRPoint& A, const TRPoint& B) {
        Back.push_back(std::make_unique<TRPoint>(A.X, A.Y, A.Z));
        Back.push_back(std::make_unique<TRPoint>(B.X, B.Y, B.Z));
    }
    const TRPoint& First() const { return Front.empty() ? *Back.front() : *Front.back(); }
    const TRPoint& Last() const { return *Back.back(); }
    void Prepend(std::unique_ptr<TRPoint> P) { Front.push_back(std::move(P)); }
    void Append(std::unique_ptr<TRPoint> P) { Back.push_back(std::move(P)); }

    std::unique_ptr<TPolyline> Polyline() {
        auto Result = std::make_unique<TPolyline>();
        for (auto P = Front.rbegin(); P != Front.rend(); ++P) Result->AddRef(std::move(*P));
        for (auto& P : Back) Result->AddRef(std::move(P));
        return Result;
    }

private:
    std::vector<std::unique_ptr<TRPoint>> Front, Back;
};

// Takes the first remaining link touching Q out of Links and hands over its far end; none when
// no link touches Q. The near end is tested at P1 before P2.
std::unique_ptr<TRPoint> TakeFarEnd(std::vector<std::unique_ptr<TCLink>>& Links,
                                    TLinkEndIndex& Index, const TRPoint& Q) {
    const int i = Index.FirstTouching(Q);
    if (i < 0) return nullptr;
    auto Link = std::move(Links[static_cast<std::size_t>(i)]);
    Index.Remove(i);
    return SamePoint(*Link->P1, Q) ? std::move(Link->P2) : std::move(Link->P1);
}

} // namespace

TCLink& TContourLinks::Link(int i) const {
    CheckListIndex(i, Links.size());
    return *Links[static_cast<std::size_t>(i)];
}

void TContourLinks::Delete(int i) {
    CheckListIndex(i, Links.size());
    Links.erase(Links.begin() + i);
}

void TContourLinks::AddLink(const TRPoint& A, const TRPoint& B) {
    auto L = std::make_unique<TCLink>();
    L->P1 = TRPoint::CreateCopy(A);
    L->P2 = TRPoint::CreateCopy(B);
    Links.push_back(std::move(L));
}

void TContourLinks::Cut(const TPolygon& Polygon, const TExtents& E) {
    if (Polygon.Kind() == 1 || !Between(MinOf(E, Axis), MaxOf(E, Axis), Position)) return;
    const TRPoint* Corners[3] = {&Polygon.P1, &Polygon.P2, &Polygon.P3};
    const double c[3] = {Corners[0]->Coord(Axis), Corners[1]->Coord(Axis), Corners[2]->Coord(Axis)};
    if (c[0] == c[1] && c[1] == c[2]) return;

    TRPoint Taken[2];
    int N = 0;
    for (int k = 0; k < 3 && N < 2; ++k)
        if (c[k] == Position) Taken[N++] = *Corners[k];
    for (int k = 0; k < 3 && N < 2; ++k) {
        const int e = (k + 1) % 3;
        if (c[k] != Position && c[e] != Position && Between(c[k], c[e], Position))
            Taken[N++] = EdgeCrossing(*Corners[k], *Corners[e], Axis, Position);
    }
    if (N == 2 && !SamePoint(Taken[0], Taken[1])) AddLink(Taken[0], Taken[1]);
}

void TContourLinks::SortAndClean() {
    if (Links.empty()) return;
    for (auto& L : Links)
        if (ComparePoints(*L->P1, *L->P2) > 0) std::swap(L->P1, L->P2);
    // The tolerant point order is not transitive; a merge sort stays within bounds regardless.
    std::stable_sort(Links.begin(), Links.end(), LinkBefore);

    // Each link is compared with its next surviving neighbour, as a walk deleting in place
    // would, without the cost of deleting from the middle.
    std::vector<std::unique_ptr<TCLink>> Kept;
    auto Current = std::move(Links.front());
    for (std::size_t k = 1; k < Links.size(); ++k) {
        auto& Next = Links[k];
        if (Degenerate(*Current)) {
            Current = std::move(Next);
        } else if (SameLink(*Current, *Next) || Degenerate(*Next)) {
            Next.reset();
        } else {
            Kept.push_back(std::move(Current));
            Current = std::move(Next);
        }
    }
    Kept.push_back(std::move(Current));
    Links = std::move(Kept);
}

void TContourLinks::Join(TPolylineList& Result) {
    if (Links.empty()) return;
    SortAndClean();
    TLinkEndIndex Index(Links);
    for (int Start = Index.FirstPresent(); Start >= 0; Start = Index.FirstPresent()) {
        const auto First = std::move(Links[static_cast<std::size_t>(Start)]);
        Index.Remove(Start);
        TChain Chain(*First->P1, *First->P2);
        for (bool Attached = true; Attached && Index.FirstPresent() >= 0;) {
            Attached = false;
            if (auto Before = TakeFarEnd(Links, Index, Chain.First())) {
                Chain.Prepend(std::move(Before));
                Attached = true;
            }
            if (auto After = TakeFarEnd(Links, Index, Chain.Last())) {
                Chain.Append(std::move(After));
                Attached = true;
            }
        }
        auto Polyline = Chain.Polyline();
        Polyline->UseColors = true;
        Polyline->LineColor = ContourColors[Axis];
        Result.AddPolyline(std::move(Polyline));
    }
    Links.clear();
}

TContourLinks& TLinksList::Links(int i) const {
    CheckListIndex(i, Items.size());
    return *Items[static_cast<std::size_t>(i)];
}

TContourLinks& TLinksList::Add(std::uint8_t Axis, double Position) {
    Items.push_back(std::make_unique<TContourLinks>(Axis, Position));
    return *Items.back();
}
