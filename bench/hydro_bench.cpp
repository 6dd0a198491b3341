// Benchmarks of the hydrostatics of the default hull: every particular at the design draught, the
// curves of form at 20 draughts, a sectional-area curve, and rewriting the surface as patches.
#include "hull/keelvane.h"
#include "hydro/hydrostatics.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

TKeelvane& GeneratedHull() {
    static const auto Hull = [] {
        auto K = std::make_unique<TKeelvane>();
        K->Generate();
        return K;
    }();
    return *Hull;
}

} // namespace

static void BM_ParticularsAtOneDraught(benchmark::State& State) {
    THydrostatics Hydro(GeneratedHull());
    Hydro.MidshipX = GeneratedHull().Midship();
    const double T = GeneratedHull().Parameters().Draught;
    for (auto _ : State) benchmark::DoNotOptimize(Hydro.At(T).Volume);
}
BENCHMARK(BM_ParticularsAtOneDraught)->Unit(benchmark::kMillisecond);

static void BM_CurvesOfFormAt20Draughts(benchmark::State& State) {
    THydrostatics Hydro(GeneratedHull());
    Hydro.MidshipX = GeneratedHull().Midship();
    const TKeelvaneParameters& P = GeneratedHull().Parameters();
    const auto Draughts = EvenlySpaced(P.Draught / 10, Hydro.Top(), 20);
    for (auto _ : State)
        for (double T : Draughts) benchmark::DoNotOptimize(Hydro.At(T).Volume);
}
BENCHMARK(BM_CurvesOfFormAt20Draughts)->Unit(benchmark::kMillisecond);

static void BM_SectionalAreaCurveOf21Sections(benchmark::State& State) {
    THydrostatics Hydro(GeneratedHull());
    const double T = GeneratedHull().Parameters().Draught;
    const auto X = EvenlySpaced(0, GeneratedHull().Parameters().Lbp, 21);
    for (auto _ : State) benchmark::DoNotOptimize(Hydro.SectionalAreas(T, X).size());
}
BENCHMARK(BM_SectionalAreaCurveOf21Sections)->Unit(benchmark::kMillisecond);

static void BM_SurfaceToPatches(benchmark::State& State) {
    for (auto _ : State) {
        THydrostatics Hydro(GeneratedHull());
        benchmark::DoNotOptimize(Hydro.Top());
    }
}
BENCHMARK(BM_SurfaceToPatches)->Unit(benchmark::kMillisecond);
