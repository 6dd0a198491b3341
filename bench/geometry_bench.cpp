// Speed of the curve and surface evaluations the hull views and the contour builder rely on.
#include "geometry/bspline.h"
#include "geometry/bsurface.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A hull-like 23 x 12 net of order 4: sections of growing breadth along x.
std::unique_ptr<TBSplineSurface> HullNet() {
    auto S = std::make_unique<TBSplineSurface>(23, 12);
    for (int i = 0; i < 23; ++i)
        for (int j = 0; j < 12; ++j)
            S->Point(i, j).SetXYZ(i * 5.0, 8.0 * std::sin(0.13 * (i + 1)) * (j / 11.0), j * 1.2);
    S->MakeKnots();
    return S;
}

void SurfacePointAt(benchmark::State& State) {
    auto S = HullNet();
    const double UMax = S->UMax(), VMax = S->VMax();
    int k = 0;
    for (auto _ : State) {
        const double u = UMax * (k % 97) / 97.0, v = VMax * (k % 89) / 89.0;
        benchmark::DoNotOptimize(S->PointAt(u, v));
        ++k;
    }
}
BENCHMARK(SurfacePointAt);

void SurfaceSampleMesh(benchmark::State& State) {
    auto S = HullNet();
    for (auto _ : State) benchmark::DoNotOptimize(S->SampleMesh(69, 36));
}
BENCHMARK(SurfaceSampleMesh)->Unit(benchmark::kMicrosecond);

void CurvePointAtX(benchmark::State& State) {
    TBSpline C(4);
    for (int i = 0; i < 12; ++i) C.AddPoint(i * i * 0.5, std::sqrt(i + 1.0), 0.3 * i);
    int k = 0;
    for (auto _ : State) {
        benchmark::DoNotOptimize(C.PointAtX(60.0 * (k % 101) / 101.0));
        ++k;
    }
}
BENCHMARK(CurvePointAtX)->Unit(benchmark::kMicrosecond);

} // namespace
