// The lines plan beside CGAL's mesh slicer: the default hull's triangles cut by the same planes,
// the slicer's bounding-box tree built within each run as the contour builder starts afresh too.
#include "bench/linesplancase.h"
#include "bench/peers/peers.h"
#include "contours/createcontours.h"
#include "geometry/polylist.h"

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Polygon_mesh_slicer.h>
#include <CGAL/Surface_mesh.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using TKernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using TCgalMesh = CGAL::Surface_mesh<TKernel::Point_3>;
using TCgalPolyline = std::vector<TKernel::Point_3>;

constexpr int PlanesPerAxis = 100;

// The grid's triangles, corners shared and faces made as the grid's own faces are, so that both
// sides cut the same triangles.
TCgalMesh CgalMesh(const TMesh& Grid) {
    TCgalMesh Mesh;
    std::vector<TCgalMesh::Vertex_index> V;
    for (int i = 0; i < Grid.NumU; ++i)
        for (int j = 0; j < Grid.NumV; ++j) {
            const TRPoint& P = Grid.Point(i, j);
            V.push_back(Mesh.add_vertex(TKernel::Point_3(P.X, P.Y, P.Z)));
        }
    const auto At = [&](int i, int j) { return V[static_cast<std::size_t>(i * Grid.NumV + j)]; };
    for (int i = 0; i + 1 < Grid.NumU; ++i)
        for (int j = 0; j + 1 < Grid.NumV; ++j)
            if (Mesh.add_face(At(i, j), At(i, j + 1), At(i + 1, j)) == TCgalMesh::null_face() ||
                Mesh.add_face(At(i, j + 1), At(i + 1, j + 1), At(i + 1, j)) ==
                    TCgalMesh::null_face())
                throw std::runtime_error("the sampled hull is no manifold mesh for CGAL");
    return Mesh;
}

struct TCutCase {
    TLinesPlanCase LinesPlan;
    TCgalMesh Cgal;

    explicit TCutCase(int Samples)
        : LinesPlan(Samples, Samples, PlanesPerAxis, PlanesPerAxis, PlanesPerAxis),
          Cgal(CgalMesh(*LinesPlan.Grid)) {}
};

TCutCase& Case(int Samples) {
    static TCutCase Coarse(300), Fine(600);
    return Samples == 300 ? Coarse : Fine;
}

void ContoursKeelvane(benchmark::State& State, int Samples) {
    const TCutCase& C = Case(Samples);
    int Polylines = 0;
    for (auto _ : State) {
        const auto Result = CreateContours(*C.LinesPlan.Triangles, C.LinesPlan.Planes);
        Polylines = Result->Count();
    }
    State.counters["triangles"] = C.LinesPlan.Triangles->Count();
    State.counters["polylines"] = Polylines;
}

void ContoursCgal(benchmark::State& State, int Samples) {
    const TCutCase& C = Case(Samples);
    std::size_t Polylines = 0;
    for (auto _ : State) {
        CGAL::Polygon_mesh_slicer<TCgalMesh, TKernel> Slicer(C.Cgal);
        std::vector<TCgalPolyline> Result;
        for (int Axis = 0; Axis < 3; ++Axis) {
            const TContourList& Planes = C.LinesPlan.Planes.List(Axis);
            for (int k = 0; k < Planes.Count(); ++k) {
                const double Normal[3] = {Axis == 0 ? 1.0 : 0.0, Axis == 1 ? 1.0 : 0.0,
                                          Axis == 2 ? 1.0 : 0.0};
                Slicer(
                    TKernel::Plane_3(Normal[0], Normal[1], Normal[2], -Planes.Contour(k).Position),
                    std::back_inserter(Result));
            }
        }
        Polylines = Result.size();
    }
    State.counters["triangles"] = static_cast<double>(C.Cgal.number_of_faces());
    State.counters["polylines"] = static_cast<double>(Polylines);
}

} // namespace

void RegisterContourPeers() {
    for (const int Samples : {300, 600}) {
        const std::string Work =
            "Contours " + std::to_string(Samples) + "x" + std::to_string(Samples);
        benchmark::RegisterBenchmark((Work + "/Keelvane").c_str(), ContoursKeelvane, Samples)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((Work + "/CGAL").c_str(), ContoursCgal, Samples)
            ->Unit(benchmark::kMillisecond);
    }
}
