// Building the lines plan: cutting every triangle with every plane, then joining per plane.
#include "contours/createcontours.h"

#include "contours/contourlinks.h"
#include "contours/contours.h"
#include "geometry/console.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double MinimumChainLength = 0.001;

std::unique_ptr<TLinksList> BuildLinksList(const TContours& Contours) {
    auto Result = std::make_unique<TLinksList>();
    for (int Axis = 0; Axis < 3; ++Axis) {
        const TContourList& List = Contours.List(Axis);
        for (int i = 0; i < List.Count(); ++i)
            Result->Add(static_cast<std::uint8_t>(Axis), List.Contour(i).Position);
    }
    return Result;
}

// The planes of one axis ordered by position, so that a triangle is offered only to the planes
// within its extent instead of being tested against all of them.
class TPlanesByPosition {
public:
    TPlanesByPosition(const TLinksList& Links, int Axis) {
        for (int i = 0; i < Links.Count(); ++i) {
            TContourLinks& L = Links.Links(i);
            if (L.Axis == Axis && !std::isnan(L.Position)) Planes.emplace_back(L.Position, &L);
        }
        std::sort(Planes.begin(), Planes.end(),
                  [](const auto& A, const auto& B) { return A.first < B.first; });
    }

    void Cut(const TPolygon& Polygon, const TExtents& E, double Min, double Max) const {
        auto P = std::lower_bound(Planes.begin(), Planes.end(), Min,
                                  [](const auto& Plane, double V) { return Plane.first < V; });
        for (; P != Planes.end() && P->first <= Max; ++P) P->second->Cut(Polygon, E);
    }

private:
    std::vector<std::pair<double, TContourLinks*>> Planes;
};

void CutPolygons(const TPolygons& Polygons, const TLinksList& Links) {
    const TPlanesByPosition X(Links, 0), Y(Links, 1), Z(Links, 2);
    TExtents E;
    for (int i = 0; i < Polygons.Count(); ++i) {
        const TPolygon& Polygon = Polygons.Polygon(i);
        if (Polygon.Kind() == 1) continue;
        Polygon.PolygonExtents(E);
        X.Cut(Polygon, E, E.MinX, E.MaxX);
        Y.Cut(Polygon, E, E.MinY, E.MaxY);
        Z.Cut(Polygon, E, E.MinZ, E.MaxZ);
    }
}

// A failure while joining costs the whole result, not the program.
std::unique_ptr<TPolylineList> JoinAll(const TLinksList& Links) {
    try {
        auto Result = std::make_unique<TPolylineList>();
        for (int i = 0; i < Links.Count(); ++i) Links.Links(i).Join(*Result);
        return Result;
    } catch (...) {
        return nullptr;
    }
}

void DropShortChains(TPolylineList& List) {
    for (int i = 0; i < List.Count();)
        if (List.Polyline(i).Length() < MinimumChainLength)
            List.Delete(i);
        else
            ++i;
}

} // namespace

std::unique_ptr<TPolylineList> CreateContours(const TPolygons& Polygons,
                                              const TContours& Contours) {
    Console().WriteLine("  Creating Contours from Polygon Representation...");
    const auto Links = BuildLinksList(Contours);
    if (Links->Count() == 0) return nullptr;
    CutPolygons(Polygons, *Links);
    auto Result = JoinAll(*Links);
    if (Result) DropShortChains(*Result);
    return Result;
}
