// Finds, among the links of one plane still waiting to be chained, the first one that has an
// end at a given point, without scanning them all.
#pragma once

#include "contours/contourlinks.h"

#include <array>
#include <memory>
#include <vector>

class TLinkEndIndex {
public:
    // Indexes both ends of every link, in the order of Links.
    explicit TLinkEndIndex(const std::vector<std::unique_ptr<TCLink>>& Links);

    // The lowest link number still present; -1 when none is left.
    int FirstPresent();
    // The lowest link number still present with an end that is the same point as Q; -1 when
    // none.
    int FirstTouching(const TRPoint& Q);
    void Remove(int Link);

private:
    using TCell = std::array<long long, 3>;
    struct TEnd {
        TCell Cell;
        int Link;
        TRPoint P;
    };

    std::vector<TEnd> Ends;     // sorted by cell, then link number
    std::vector<int> FirstLive; // at the start of a cell's run: where its present ends begin
    std::vector<bool> Present;
    int NextPresent = 0;

    static long long CellOf(double V);
    // First present end of the run of Cell that is the same point as Q, as a link number.
    int FirstTouchingIn(const TCell& Cell, const TRPoint& Q);
};
