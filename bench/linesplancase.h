// The lines-plan workload the contour benchmarks share: the default hull sampled on a grid, its
// triangles, and planes of each axis spread evenly across their extents.
#pragma once

#include "contours/contours.h"
#include "geometry/mesh.h"
#include "geometry/polygon.h"
#include "hull/keelvane.h"

#include <memory>

struct TLinesPlanCase {
    std::unique_ptr<TMesh> Grid; // the sampled default hull
    std::unique_ptr<TPolygonList> Triangles;
    TContours Planes;

    TLinesPlanCase(int SamplesU, int SamplesV, int Stations, int Waterlines, int Buttocks) {
        TKeelvane Hull;
        Hull.Generate();
        Grid = Hull.SampleMesh(SamplesU, SamplesV);
        Triangles = Grid->GetPolygons();
        const TExtents E = ExtentsOf(*Triangles);
        AddPlanes(0, Stations, E.MinX, E.MaxX);
        AddPlanes(1, Buttocks, E.MinY, E.MaxY);
        AddPlanes(2, Waterlines, E.MinZ, E.MaxZ);
    }

private:
    static TExtents ExtentsOf(const TPolygons& Polygons) {
        TExtents All, E;
        for (int i = 0; i < Polygons.Count(); ++i) {
            Polygons.Polygon(i).PolygonExtents(E);
            IncludeInExtents(All, TRPoint(E.MinX, E.MinY, E.MinZ));
            IncludeInExtents(All, TRPoint(E.MaxX, E.MaxY, E.MaxZ));
        }
        return All;
    }

    // N planes of one axis spread evenly inside [Min, Max].
    void AddPlanes(std::uint8_t Axis, int N, double Min, double Max) {
        for (int k = 0; k < N; ++k) Planes.Add(Axis, Min + (k + 0.5) / N * (Max - Min));
    }
};
