#include "adjustment.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WholeAdjustment(benchmark::State& state)
{
    const korvane::Observations measured{3521.418, 4210.735, 3802.901, 5395.280, 823.7092,
                                         786.5852, 974.6890, 841.3028, 1202.7588};
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
