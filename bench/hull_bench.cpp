// Benchmarks of the hull model: a whole generation from the defaults, and a project file round
// trip.
#include "hull/keelvane.h"

#include <benchmark/benchmark.h>

#include <filesystem>

static void BM_GenerateDefaults(benchmark::State& State) {
    TKeelvane K;
    for (auto _ : State) {
        K.Generate();
        benchmark::DoNotOptimize(K.Point(0, 0).X);
    }
}
BENCHMARK(BM_GenerateDefaults)->Unit(benchmark::kMicrosecond);

static void BM_GenerateBulbousBow(benchmark::State& State) {
    TKeelvane K;
    K.SetBowShape(1);
    for (auto _ : State) {
        K.Generate();
        benchmark::DoNotOptimize(K.Point(0, 0).X);
    }
}
BENCHMARK(BM_GenerateBulbousBow)->Unit(benchmark::kMicrosecond);

static void BM_ProjectSaveLoad(benchmark::State& State) {
    const std::string Name =
        (std::filesystem::temp_directory_path() / "keelvane_bench_project.kvp").string();
    TKeelvane K, Loaded;
    K.Generate();
    for (auto _ : State) {
        K.SaveToFile(Name);
        Loaded.LoadFromFile(Name);
        benchmark::DoNotOptimize(Loaded.Point(0, 0).X);
    }
    std::filesystem::remove(Name);
}
BENCHMARK(BM_ProjectSaveLoad)->Unit(benchmark::kMicrosecond);
