// Surface evaluation beside Open CASCADE's B-spline surface built from the default hull's own
// net and knots: random points one by one, and the sampled mesh the application draws.
#include "bench/peers/peers.h"
#include "hull/keelvane.h"

#include <Geom_BSplineSurface.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array2OfPnt.hxx>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int RandomPoints = 300'000;
constexpr int MeshU = 69, MeshV = 36;
constexpr double Agreement = 1e-12;

// The knots Knot(1 .. Count) as Open CASCADE keeps them: distinct values with multiplicities.
std::pair<TColStd_Array1OfReal, TColStd_Array1OfInteger>
DistinctKnots(const std::function<double(int)>& Knot, int Count) {
    std::vector<double> Values;
    std::vector<int> Mults;
    for (int i = 1; i <= Count; ++i)
        if (!Values.empty() && Knot(i) == Values.back())
            ++Mults.back();
        else {
            Values.push_back(Knot(i));
            Mults.push_back(1);
        }
    const int N = static_cast<int>(Values.size());
    std::pair<TColStd_Array1OfReal, TColStd_Array1OfInteger> Result{TColStd_Array1OfReal(1, N),
                                                                    TColStd_Array1OfInteger(1, N)};
    for (int i = 0; i < N; ++i) {
        Result.first(i + 1) = Values[static_cast<std::size_t>(i)];
        Result.second(i + 1) = Mults[static_cast<std::size_t>(i)];
    }
    return Result;
}

Handle(Geom_BSplineSurface) OcctSurface(TKeelvane& S) {
    TColgp_Array2OfPnt Poles(1, S.NumU, 1, S.NumV);
    for (int i = 0; i < S.NumU; ++i)
        for (int j = 0; j < S.NumV; ++j) {
            const TRPoint& P = S.Point(i, j);
            Poles(i + 1, j + 1) = gp_Pnt(P.X, P.Y, P.Z);
        }
    const auto U = DistinctKnots([&](int i) { return S.KnotU(i); }, S.NumU + S.OrderU);
    const auto V = DistinctKnots([&](int i) { return S.KnotV(i); }, S.NumV + S.OrderV);
    try {
        return new Geom_BSplineSurface(Poles, U.first, V.first, U.second, V.second, S.OrderU - 1,
                                       S.OrderV - 1);
    } catch (const Standard_Failure& E) {
        throw std::runtime_error(std::string("Open CASCADE refuses the surface: ") +
                                 E.GetMessageString());
    }
}

struct TSurfaceCase {
    TKeelvane Hull;
    Handle(Geom_BSplineSurface) Occt;
    std::vector<std::pair<double, double>> Parameters; // uniformly random over the range

    TSurfaceCase() {
        Hull.Generate();
        Hull.MakeKnots(); // PointAt reads the knots as they stand
        Occt = OcctSurface(Hull);
        std::mt19937_64 Random(17);
        std::uniform_real_distribution<double> U(Hull.UMin(), Hull.UMax()),
            V(Hull.VMin(), Hull.VMax());
        Parameters.resize(RandomPoints);
        for (auto& [u, v] : Parameters) u = U(Random), v = V(Random);
    }
};

TSurfaceCase& Case() {
    static TSurfaceCase TheCase;
    return TheCase;
}

double Deviation(const TRPoint& P, const gp_Pnt& Q) {
    return std::max({std::fabs(P.X - Q.X()), std::fabs(P.Y - Q.Y()), std::fabs(P.Z - Q.Z())});
}

// The parameter i of Count spread evenly over [Min, Max], as the sampled mesh spreads them.
double Spread(double Min, double Max, int i, int Count) {
    return Min + i * (Max - Min) / (Count - 1);
}

// Both sides evaluate the random points and the mesh; a point further apart than Agreement
// means the two do not compute the same surface, and timing them would compare nothing.
void CheckAgreement() {
    TSurfaceCase& C = Case();
    double Worst = 0.0;
    for (const auto& [u, v] : C.Parameters)
        Worst = std::max(Worst, Deviation(*C.Hull.PointAt(u, v), C.Occt->Value(u, v)));
    const auto Mesh = C.Hull.SampleMesh(MeshU, MeshV);
    for (int i = 0; i < MeshU; ++i)
        for (int j = 0; j < MeshV; ++j)
            Worst = std::max(
                Worst, Deviation(Mesh->Point(i, j),
                                 C.Occt->Value(Spread(C.Hull.UMin(), C.Hull.UMax(), i, MeshU),
                                               Spread(C.Hull.VMin(), C.Hull.VMax(), j, MeshV))));
    std::printf("Surface points of Keelvane and Open CASCADE agree within %.3g\n", Worst);
    if (!(Worst <= Agreement))
        throw std::runtime_error("surface points differ by " + std::to_string(Worst));
}

void PointAtKeelvane(benchmark::State& State) {
    TSurfaceCase& C = Case();
    std::size_t k = 0;
    for (auto _ : State) {
        const auto& [u, v] = C.Parameters[k++ % C.Parameters.size()];
        benchmark::DoNotOptimize(C.Hull.PointAt(u, v));
    }
}

void PointAtOcct(benchmark::State& State) {
    TSurfaceCase& C = Case();
    std::size_t k = 0;
    for (auto _ : State) {
        const auto& [u, v] = C.Parameters[k++ % C.Parameters.size()];
        benchmark::DoNotOptimize(C.Occt->Value(u, v));
    }
}

void SampleMeshKeelvane(benchmark::State& State) {
    TSurfaceCase& C = Case();
    for (auto _ : State) benchmark::DoNotOptimize(C.Hull.SampleMesh(MeshU, MeshV));
}

// Open CASCADE point by point into a grid of its own, the parameters spread as Keelvane does.
void SampleMeshOcct(benchmark::State& State) {
    TSurfaceCase& C = Case();
    const double U0 = C.Hull.UMin(), U1 = C.Hull.UMax(), V0 = C.Hull.VMin(), V1 = C.Hull.VMax();
    for (auto _ : State) {
        TColgp_Array2OfPnt Mesh(1, MeshU, 1, MeshV);
        for (int i = 0; i < MeshU; ++i)
            for (int j = 0; j < MeshV; ++j)
                Mesh(i + 1, j + 1) =
                    C.Occt->Value(Spread(U0, U1, i, MeshU), Spread(V0, V1, j, MeshV));
        benchmark::DoNotOptimize(Mesh(MeshU, MeshV));
    }
}

} // namespace

void RegisterSurfacePeers() {
    CheckAgreement();
    benchmark::RegisterBenchmark("PointAt random/Keelvane", PointAtKeelvane);
    benchmark::RegisterBenchmark("PointAt random/OCCT", PointAtOcct);
    benchmark::RegisterBenchmark("SampleMesh 69x36/Keelvane", SampleMeshKeelvane)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("SampleMesh 69x36/OCCT", SampleMeshOcct)
        ->Unit(benchmark::kMicrosecond);
}
