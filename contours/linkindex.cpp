// The index of link ends: ends bucketed in cells a few point tolerances wide, so that the ends
// the same as a point lie in the one or few cells around it.
#include "contours/linkindex.h"

#include <algorithm>
#include <cmath>

namespace {

// Wide enough that a point's tolerance box seldom straddles two cells, narrow enough that a
// cell holds only the ends meeting at one place of a sampled surface.
constexpr double CellSize = 16 * PointTolerance;
// Probing twice the tolerance keeps rounding in the cell arithmetic from hiding a neighbour.
constexpr double ProbeReach = 2 * PointTolerance;
// Cell numbers are held within this bound: coordinates beyond it share the outermost cells,
// which costs only speed, where converting them unbounded would overflow.
constexpr double CellLimit = 0x1p62;

} // namespace

TLinkEndIndex::TLinkEndIndex(const std::vector<std::unique_ptr<TCLink>>& Links)
    : Present(Links.size(), true) {
    Ends.reserve(2 * Links.size());
    for (std::size_t i = 0; i < Links.size(); ++i)
        for (const TRPoint* P : {Links[i]->P1.get(), Links[i]->P2.get()})
            Ends.push_back({{CellOf(P->X), CellOf(P->Y), CellOf(P->Z)}, static_cast<int>(i), *P});
    std::sort(Ends.begin(), Ends.end(), [](const TEnd& A, const TEnd& B) {
        return A.Cell != B.Cell ? A.Cell < B.Cell : A.Link < B.Link;
    });
    FirstLive.resize(Ends.size());
    for (std::size_t i = 0; i < Ends.size(); ++i) FirstLive[i] = static_cast<int>(i);
}

long long TLinkEndIndex::CellOf(double V) {
    const double Cell = std::floor(V / CellSize);
    return static_cast<long long>(Cell < CellLimit ? (Cell > -CellLimit ? Cell : -CellLimit)
                                                   : CellLimit);
}

int TLinkEndIndex::FirstPresent() {
    const int N = static_cast<int>(Present.size());
    while (NextPresent < N && !Present[static_cast<std::size_t>(NextPresent)]) ++NextPresent;
    return NextPresent < N ? NextPresent : -1;
}

int TLinkEndIndex::FirstTouching(const TRPoint& Q) {
    TCell Lo, Hi;
    for (int a = 0; a < 3; ++a) {
        Lo[a] = CellOf(Q.Coord(a) - ProbeReach);
        Hi[a] = CellOf(Q.Coord(a) + ProbeReach);
    }
    int Best = -1;
    TCell C;
    for (C[0] = Lo[0]; C[0] <= Hi[0]; ++C[0])
        for (C[1] = Lo[1]; C[1] <= Hi[1]; ++C[1])
            for (C[2] = Lo[2]; C[2] <= Hi[2]; ++C[2]) {
                const int Found = FirstTouchingIn(C, Q);
                if (Found >= 0 && (Best < 0 || Found < Best)) Best = Found;
            }
    return Best;
}

int TLinkEndIndex::FirstTouchingIn(const TCell& Cell, const TRPoint& Q) {
    const auto Run = std::lower_bound(Ends.begin(), Ends.end(), Cell,
                                      [](const TEnd& E, const TCell& C) { return E.Cell < C; });
    if (Run == Ends.end() || Run->Cell != Cell) return -1;
    const auto Start = static_cast<std::size_t>(Run - Ends.begin());
    auto InRun = [&](std::size_t i) { return i < Ends.size() && Ends[i].Cell == Cell; };
    auto Live = [&](std::size_t i) { return Present[static_cast<std::size_t>(Ends[i].Link)]; };

    // Links gone from the front of a run stay gone: step past them once, not on every probe.
    auto i = static_cast<std::size_t>(FirstLive[Start]);
    while (InRun(i) && !Live(i)) ++i;
    FirstLive[Start] = static_cast<int>(i);
    for (; InRun(i); ++i)
        if (Live(i) && SamePoint(Ends[i].P, Q)) return Ends[i].Link;
    return -1;
}

void TLinkEndIndex::Remove(int Link) {
    Present[static_cast<std::size_t>(Link)] = false;
}
