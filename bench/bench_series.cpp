// Cost of one call of each VSOP87D series function at Tau = -4, 0 and +4
// (the years -1999, 2000 and 5999).  Every call evaluates every term, so
// the time per call should not depend on Tau; the counter "cos/s" gives the
// periodic terms (cosines) evaluated per second.
#include <benchmark/benchmark.h>

#include "series/series.h"

namespace {

void BM_Series(benchmark::State& state, double (*F)(double), double tau,
               int cosines) {
    double x = tau;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        double r = F(x);
        benchmark::DoNotOptimize(r);
    }
    state.counters["cos/s"] = benchmark::Counter(
        static_cast<double>(cosines) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

// Periodic terms (cosines) of each function.
#define SERIES_BENCH(fn, cosines)                                              \
    BENCHMARK_CAPTURE(BM_Series, fn/tau=-4, lunarfix::fn, -4.0, cosines);      \
    BENCHMARK_CAPTURE(BM_Series, fn/tau=0, lunarfix::fn, 0.0, cosines);        \
    BENCHMARK_CAPTURE(BM_Series, fn/tau=+4, lunarfix::fn, 4.0, cosines)

SERIES_BENCH(Learth, 1074);
SERIES_BENCH(Bearth, 346);
SERIES_BENCH(Rearth, 993);
SERIES_BENCH(Lvenus, 665);
SERIES_BENCH(Bvenus, 420);
SERIES_BENCH(Rvenus, 580);
SERIES_BENCH(Lmars, 2387);
SERIES_BENCH(Bmars, 909);
SERIES_BENCH(Rmars, 2169);
SERIES_BENCH(Ljupiter, 1478);
SERIES_BENCH(Bjupiter, 525);
SERIES_BENCH(Rjupiter, 1464);
SERIES_BENCH(Lsaturn, 2352);
SERIES_BENCH(Bsaturn, 960);
SERIES_BENCH(Rsaturn, 2429);

}  // namespace

BENCHMARK_MAIN();
