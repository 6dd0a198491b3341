// The lines plan sheet: laying out and building the smooth lines of the default hull with the
// usual planes at the scale of an A3 and of an A0 sheet, and drawing it as SVG.
#include "bench/defaulthull.h"
#include "contours/contours.h"
#include "display/svgstream.h"
#include "drawing/linesplan.h"

#include <benchmark/benchmark.h>

namespace {

void UsualPlanes(TContours& Planes) {
    for (int k = 0; k <= 20; ++k) Planes.Add(0, k * 5.0);
    for (int k = 1; k <= 4; ++k) Planes.Add(1, k * 2.0);
    for (int k = 1; k <= 9; ++k) Planes.Add(2, k * 0.95);
}

void BM_LinesPlanSheet(benchmark::State& State, const char* Paper) {
    TContours Planes;
    UsualPlanes(Planes);
    TLinesPlanOptions Options;
    Options.Paper = *PaperByName(Paper);
    double Scale = 0;
    for (auto _ : State) {
        const TLinesPlanSheet Sheet(GeneratedDefaultHull(), Planes, Options);
        Scale = Sheet.Scale();
    }
    State.counters["scale 1:N"] = Scale;
}
BENCHMARK_CAPTURE(BM_LinesPlanSheet, A3, "A3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LinesPlanSheet, A0, "A0")->Unit(benchmark::kMillisecond);

void BM_DrawSheetAsSvg(benchmark::State& State) {
    TContours Planes;
    UsualPlanes(Planes);
    const TLinesPlanSheet Sheet(GeneratedDefaultHull(), Planes, TLinesPlanOptions());
    std::size_t Size = 0;
    for (auto _ : State) {
        TSvgStream Svg(Sheet.Width(), Sheet.Height(), "mm");
        Sheet.Draw(Svg);
        Size = Svg.Document().size();
    }
    State.counters["bytes"] = static_cast<double>(Size);
}
BENCHMARK(BM_DrawSheetAsSvg)->Unit(benchmark::kMillisecond);

} // namespace
