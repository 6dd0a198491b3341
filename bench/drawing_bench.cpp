// The lines plan sheet: laying out and building the smooth lines of the default hull with the
// usual planes at the scale of an A3 and of an A0 sheet, and drawing it as SVG and as DXF (with
// the 3-D lines in model space).
#include "bench/defaulthull.h"
#include "contours/contours.h"
#include "drawing/linesplan.h"
#include "exchange/linesplandxf.h"

#include <benchmark/benchmark.h>

#include <sstream>

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

std::size_t SvgSize(const TLinesPlanSheet& Sheet) {
    return Sheet.Svg().size();
}

std::size_t DxfSize(const TLinesPlanSheet& Sheet) {
    std::ostringstream Out;
    WriteLinesPlanDxf(Out, Sheet, true);
    return Out.str().size();
}

// The usual sheet drawn by Draw, which answers the size of the file.
void BM_DrawSheet(benchmark::State& State, std::size_t (*Draw)(const TLinesPlanSheet&)) {
    TContours Planes;
    UsualPlanes(Planes);
    const TLinesPlanSheet Sheet(GeneratedDefaultHull(), Planes, TLinesPlanOptions());
    std::size_t Size = 0;
    for (auto _ : State) Size = Draw(Sheet);
    State.counters["bytes"] = static_cast<double>(Size);
}
BENCHMARK_CAPTURE(BM_DrawSheet, Svg, SvgSize)
    ->Name("BM_DrawSheetAsSvg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawSheet, Dxf, DxfSize)
    ->Name("BM_DrawSheetAsDxf")
    ->Unit(benchmark::kMillisecond);

} // namespace
