// The link list of one plane: each operation runs on the links' segments as the contour builder
// holds them.
#include "contours/contourlinks.h"

#include "contours/linkindex.h"
#include "geometry/listindex.h"
#include "geometry/polylist.h"

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

std::vector<TCutSegment> TContourLinks::Segments() const {
    std::vector<TCutSegment> Result;
    Result.reserve(Links.size());
    for (const auto& L : Links) Result.push_back({*L->P1, *L->P2});
    return Result;
}

void TContourLinks::Cut(const TPolygon& Polygon, const TExtents& E) {
    TCutSegment S;
    if (CutTriangle(Polygon, E, Axis, Position, S)) AddLink(S.P1, S.P2);
}

void TContourLinks::SortAndClean() {
    auto Cleaned = Segments();
    ::SortAndClean(Cleaned);
    Links.clear();
    for (const TCutSegment& S : Cleaned) AddLink(S.P1, S.P2);
}

void TContourLinks::Join(TPolylineList& Result) {
    auto All = Segments();
    TLinkEndIndex Index;
    JoinSegments(All, ContourColors[Axis], 0.0, Index, Result);
    Links.clear();
}
