#include "adjustment.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WholeAdjustment(benchmark::State& state)
{
    const korvane::Observations measured{3521.418, 4210.735, 3802.901, 5395.280, 897.3285,
                                         786.7741, 1113.1790, 935.0023, 1282.5140};
    for (auto _ : state) {
        korvane::Observations o = measured;
        korvane::AdjustmentResult r;
        benchmark::DoNotOptimize(o);
        korvane::adjust(o, r);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WholeAdjustment);

} // namespace

BENCHMARK_MAIN();
