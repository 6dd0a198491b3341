// Benchmarks of the hydrostatics of the default hull: every particular at the design draught, the
// curves of form at 20 draughts, a sectional-area curve, and rewriting the surface as patches.
#include "bench/defaulthull.h"
#include "hydro/hydrostatics.h"

#include <benchmark/benchmark.h>

static void BM_ParticularsAtOneDraught(benchmark::State& State) {
    THydrostatics Hydro(GeneratedDefaultHull());
    Hydro.MidshipX = GeneratedDefaultHull().Midship();
    const double T = GeneratedDefaultHull().Parameters().Draught;
    for (auto _ : State) benchmark::DoNotOptimize(Hydro.At(T).Volume);
}
BENCHMARK(BM_ParticularsAtOneDraught)->Unit(benchmark::kMillisecond);

static void BM_CurvesOfFormAt20Draughts(benchmark::State& State) {
    THydrostatics Hydro(GeneratedDefaultHull());
    Hydro.MidshipX = GeneratedDefaultHull().Midship();
    const TKeelvaneParameters& P = GeneratedDefaultHull().Parameters();
    const auto Draughts = EvenlySpaced(P.Draught / 10, Hydro.Top(), 20);
    for (auto _ : State)
        for (double T : Draughts) benchmark::DoNotOptimize(Hydro.At(T).Volume);
}
BENCHMARK(BM_CurvesOfFormAt20Draughts)->Unit(benchmark::kMillisecond);

static void BM_SectionalAreaCurveOf21Sections(benchmark::State& State) {
    THydrostatics Hydro(GeneratedDefaultHull());
    const double T = GeneratedDefaultHull().Parameters().Draught;
    const auto X = EvenlySpaced(0, GeneratedDefaultHull().Parameters().Lbp, 21);
    for (auto _ : State) benchmark::DoNotOptimize(Hydro.SectionalAreas(T, X).size());
}
BENCHMARK(BM_SectionalAreaCurveOf21Sections)->Unit(benchmark::kMillisecond);

static void BM_SurfaceToPatches(benchmark::State& State) {
    for (auto _ : State) {
        THydrostatics Hydro(GeneratedDefaultHull());
        benchmark::DoNotOptimize(Hydro.Top());
    }
}
BENCHMARK(BM_SurfaceToPatches)->Unit(benchmark::kMillisecond);
