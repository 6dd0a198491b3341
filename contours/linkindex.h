// Finds, among the segments of one plane still waiting to be chained, the first one that has an
// end at a given point, without scanning them all.
#pragma once

#include "contours/planecut.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TLinkEndIndex {
public:
    // Indexes both ends of every segment, numbered in the order of Segments, all present. The
    // index reads the ends from Segments, which must stay as they are while it is used; the
    // buffers of an earlier build are reused.
    void Build(const std::vector<TCutSegment>& Segments);

    // The lowest segment number still present; -1 when none is left.
    int FirstPresent();
    // The lowest segment number still present with an end that is the same point as Q; -1 when
    // none.
    int FirstTouching(const TRPoint& Q);
    void Remove(int Segment) { Present[static_cast<std::size_t>(Segment)] = 0; }

private:
    struct TCell {
        long long X, Y, Z;
    };
    // A bucket's run in Ends, from its first present end on.
    struct TRun {
        int FirstLive, End;
    };

    std::size_t Mask = 0;   // bucket count - 1, the count a power of two
    std::vector<TRun> Runs; // per bucket
    const std::vector<TCutSegment>* Indexed = nullptr;
    // End numbers 2 s (P1 of segment s) and 2 s + 1 (its P2), grouped by bucket, in segment
    // order within a bucket.
    std::vector<std::uint32_t> Ends;
    std::vector<std::uint32_t> BucketOfEnd; // while building
    std::vector<std::uint8_t> Present;
    int NextPresent = 0;

    static TCell CellOf(const TRPoint& P);
    static long long CellOf(double V);
    std::size_t BucketOf(const TCell& Cell) const;
    // First present end of Cell's bucket that is the same point as Q, as a segment number.
    int FirstTouchingIn(const TCell& Cell, const TRPoint& Q);
};
