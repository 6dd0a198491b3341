// The index of segment ends: ends bucketed by the cell a few point tolerances wide that holds
// them, the cells hashed to buckets, so that the ends the same as a point lie in the one or few
// buckets of the cells around it. Cells sharing a bucket cost a few more comparisons, never a
// wrong answer: every end found is compared with the point itself.
#include "contours/linkindex.h"

namespace {

// Cells 64 point tolerances wide: wide enough that a point's tolerance box seldom straddles two
// cells, narrow enough that a cell holds only the ends meeting at one place of a sampled surface.
constexpr double CellsPerUnit = 1 / (64 * PointTolerance);
// Probing twice the tolerance keeps rounding in the cell arithmetic from hiding a neighbour.
constexpr double ProbeReach = 2 * PointTolerance;
// Cell numbers are held within this bound: coordinates beyond it share the outermost cells,
// which costs only speed, where converting them unbounded would overflow.
constexpr double CellLimit = 0x1p62;

// End e of the segments: P1 of segment e / 2 for even e, its P2 for odd e.
const TRPoint& EndOf(const std::vector<TCutSegment>& Segments, std::size_t e) {
    const TCutSegment& S = Segments[e / 2];
    return e % 2 == 0 ? S.P1 : S.P2;
}

} // namespace

// Truncation, not floor: any cell numbering that never decreases along an axis serves, and this
// one is a single instruction (the cell around zero is twice as wide).
long long TLinkEndIndex::CellOf(double V) {
    const double Cell = V * CellsPerUnit;
    return Cell < CellLimit ? (Cell > -CellLimit ? static_cast<long long>(Cell)
                                                 : static_cast<long long>(-CellLimit))
                            : static_cast<long long>(CellLimit);
}

TLinkEndIndex::TCell TLinkEndIndex::CellOf(const TRPoint& P) {
    return {CellOf(P.X), CellOf(P.Y), CellOf(P.Z)};
}

std::size_t TLinkEndIndex::BucketOf(const TCell& Cell) const {
    const auto Mix = static_cast<unsigned long long>(Cell.X) * 0x9E3779B97F4A7C15ull ^
                     static_cast<unsigned long long>(Cell.Y) * 0xC2B2AE3D27D4EB4Full ^
                     static_cast<unsigned long long>(Cell.Z) * 0x165667B19E3779F9ull;
    return static_cast<std::size_t>(Mix ^ (Mix >> 29)) & Mask;
}

void TLinkEndIndex::Build(const std::vector<TCutSegment>& Segments) {
    const std::size_t N = 2 * Segments.size();
    std::size_t Buckets = 16;
    while (Buckets < N) Buckets *= 2;
    Mask = Buckets - 1;
    // Counted per bucket first, then placed in segment order, so each run needs no sorting.
    Runs.assign(Buckets, TRun{0, 0});
    BucketOfEnd.resize(N);
    for (std::size_t e = 0; e < N; ++e) {
        BucketOfEnd[e] = static_cast<std::uint32_t>(BucketOf(CellOf(EndOf(Segments, e))));
        ++Runs[BucketOfEnd[e]].End;
    }
    int Begin = 0;
    for (TRun& Run : Runs) {
        const int Count = Run.End;
        Run.FirstLive = Run.End = Begin;
        Begin += Count;
    }
    Ends.resize(N);
    for (std::size_t e = 0; e < N; ++e)
        Ends[static_cast<std::size_t>(Runs[BucketOfEnd[e]].End++)] = static_cast<std::uint32_t>(e);
    Indexed = &Segments;
    Present.assign(Segments.size(), 1);
    NextPresent = 0;
}

int TLinkEndIndex::FirstPresent() {
    const int N = static_cast<int>(Present.size());
    while (NextPresent < N && !Present[static_cast<std::size_t>(NextPresent)]) ++NextPresent;
    return NextPresent < N ? NextPresent : -1;
}

int TLinkEndIndex::FirstTouching(const TRPoint& Q) {
    const TCell Lo = CellOf(TRPoint(Q.X - ProbeReach, Q.Y - ProbeReach, Q.Z - ProbeReach));
    const TCell Hi = CellOf(TRPoint(Q.X + ProbeReach, Q.Y + ProbeReach, Q.Z + ProbeReach));
    int Best = -1;
    TCell C;
    for (C.X = Lo.X; C.X <= Hi.X; ++C.X)
        for (C.Y = Lo.Y; C.Y <= Hi.Y; ++C.Y)
            for (C.Z = Lo.Z; C.Z <= Hi.Z; ++C.Z) {
                const int Found = FirstTouchingIn(C, Q);
                if (Found >= 0 && (Best < 0 || Found < Best)) Best = Found;
            }
    return Best;
}

int TLinkEndIndex::FirstTouchingIn(const TCell& Cell, const TRPoint& Q) {
    TRun& Run = Runs[BucketOf(Cell)];
    auto Live = [&](int i) { return Present[Ends[static_cast<std::size_t>(i)] / 2] != 0; };
    // Segments gone from the front of a run stay gone: step past them once, not on every probe.
    while (Run.FirstLive < Run.End && !Live(Run.FirstLive)) ++Run.FirstLive;
    for (int i = Run.FirstLive; i < Run.End; ++i) {
        const std::uint32_t e = Ends[static_cast<std::size_t>(i)];
        if (Live(i) && SamePoint(EndOf(*Indexed, e), Q)) return static_cast<int>(e / 2);
    }
    return -1;
}
