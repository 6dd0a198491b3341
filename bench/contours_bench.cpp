// Building the lines plan: the default hull at the application's sampling and at a fine one, and
// the growth of joining with the number of segments in one plane.
#include "bench/linesplancase.h"
#include "contours/createcontours.h"
#include "geometry/polylist.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

void BuildLinesPlan(benchmark::State& State, int SamplesU, int SamplesV, int Stations,
                    int Waterlines, int Buttocks) {
    const TLinesPlanCase Case(SamplesU, SamplesV, Stations, Waterlines, Buttocks);
    int Polylines = 0;
    for (auto _ : State) {
        const auto Result = CreateContours(*Case.Triangles, Case.Planes);
        Polylines = Result->Count();
        benchmark::DoNotOptimize(Result.get());
    }
    State.counters["triangles"] = Case.Triangles->Count();
    State.counters["polylines"] = Polylines;
}

void BM_DefaultHullApplicationSampling(benchmark::State& State) {
    BuildLinesPlan(State, 69, 36, 20, 10, 5);
}

void BM_DefaultHullFineSampling(benchmark::State& State) {
    BuildLinesPlan(State, 300, 300, 100, 100, 100);
}

// One waterline through an upright cylinder of N segments of 0.01 around: one closed chain of
// about 2N links, so the time per run shows how joining grows with the links of a plane.
void BM_JoinOneClosedChain(benchmark::State& State) {
    const int N = static_cast<int>(State.range(0));
    const double R = 0.01 * N / (2 * std::numbers::pi);
    auto At = [&](int i, int j) {
        const double a = 2 * std::numbers::pi * (j % N) / N;
        return TRPoint(R * std::cos(a), R * std::sin(a), i);
    };
    TPolygonList Polygons;
    for (int j = 0; j < N; ++j)
        for (const auto& [A, B, C] : {std::tuple(At(0, j), At(1, j), At(1, j + 1)),
                                      std::tuple(At(0, j), At(1, j + 1), At(0, j + 1))}) {
            auto T = std::make_unique<TPolygon>(0);
            T->P1 = A;
            T->P2 = B;
            T->P3 = C;
            Polygons.Add(std::move(T));
        }
    TContours Contours;
    Contours.Add(2, 0.5);
    for (auto _ : State) benchmark::DoNotOptimize(CreateContours(Polygons, Contours).get());
    State.SetComplexityN(N);
}

} // namespace

BENCHMARK(BM_DefaultHullApplicationSampling)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefaultHullFineSampling)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JoinOneClosedChain)
    ->RangeMultiplier(4)
    ->Range(1 << 8, 1 << 16)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
