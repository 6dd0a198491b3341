// Benchmarks of the exchange formats for the default hull: the closed body at the sampling chosen
// for 0.1 % of volume and at a fixed one, the table of offsets of a usual plan, and STEP and IGES
// files written through Open CASCADE.
#include "bench/defaulthull.h"
#include "exchange/cadfile.h"
#include "exchange/closedbody.h"
#include "exchange/occtshapes.h"
#include "exchange/offsets.h"

#include <benchmark/benchmark.h>

#include <sstream>

static void BM_ClosedBodyAutomatic(benchmark::State& State) {
    for (auto _ : State)
        benchmark::DoNotOptimize(ClosedBody(GeneratedDefaultHull())->Triangles.size());
}
BENCHMARK(BM_ClosedBodyAutomatic)->Unit(benchmark::kMillisecond);

static void BM_ClosedBody8PerSpan(benchmark::State& State) {
    for (auto _ : State)
        benchmark::DoNotOptimize(ClosedBody(GeneratedDefaultHull(), 8)->Triangles.size());
}
BENCHMARK(BM_ClosedBody8PerSpan)->Unit(benchmark::kMillisecond);

static void BM_TableOfOffsets21x9(benchmark::State& State) {
    std::vector<double> Stations, Waterlines;
    for (int k = 0; k <= 20; ++k) Stations.push_back(5.0 * k);
    for (int k = 1; k <= 9; ++k) Waterlines.push_back(0.95 * k);
    for (auto _ : State)
        benchmark::DoNotOptimize(
            TableOfOffsets(GeneratedDefaultHull(), Stations, Waterlines)->Stations.size());
}
BENCHMARK(BM_TableOfOffsets21x9)->Unit(benchmark::kMillisecond);

template <void (*Write)(std::ostream&, const TCadContent&)>
static void BM_WriteCad(benchmark::State& State) {
    const TCadContent Content{&GeneratedDefaultHull(), true, {}};
    for (auto _ : State) {
        std::ostringstream Out;
        Write(Out, Content);
        benchmark::DoNotOptimize(Out.str().size());
    }
}
BENCHMARK(BM_WriteCad<WriteStep>)->Name("BM_WriteStepBothHalves")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCad<WriteIges>)->Name("BM_WriteIgesBothHalves")->Unit(benchmark::kMillisecond);
