// Cost of one apparent place of the Sun and of each planet at the years
// 1800, 2000 and 2200: the series sums must cost the same at any date.
#include <benchmark/benchmark.h>

#include "ephemeris/planets.h"
#include "ephemeris/sun.h"

namespace {

void BM_suneph(benchmark::State& state)
{
    const int year = static_cast<int>(state.range(0));
    double dec, gha, gast, ra, hp, sd, jde;
    for (auto _ : state) {
        lunarfix::suneph(69.0, year, 6, 15, 12, 30, 0, &dec, &gha, &gast, &ra,
                         &hp, &sd, &jde);
        benchmark::DoNotOptimize(dec);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_suneph)->Arg(1800)->Arg(2000)->Arg(2200)
    ->Unit(benchmark::kMicrosecond);

// Args: body code (4 Venus, 5 Mars, 6 Jupiter, 7 Saturn), year.
void BM_planeteph(benchmark::State& state)
{
    const int id = static_cast<int>(state.range(0));
    const int year = static_cast<int>(state.range(1));
    double dec, gha, gast, ra, hp;
    for (auto _ : state) {
        lunarfix::planeteph(id, 69.0, year, 6, 15, 12, 30, 0, &dec, &gha,
                            &gast, &ra, &hp);
        benchmark::DoNotOptimize(dec);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_planeteph)
    ->ArgsProduct({{4, 5, 6, 7}, {1800, 2000, 2200}})
    ->Unit(benchmark::kMicrosecond);

void BM_suntime(benchmark::State& state)
{
    int srd, srm, ssd, ssm, ar, as, d;
    for (auto _ : state) {
        lunarfix::suntime(2021, 9, 1, 0.0, 52.0, &srd, &srm, &ssd, &ssm, &ar,
                          &as, &d);
        benchmark::DoNotOptimize(srd);
    }
}
BENCHMARK(BM_suntime);

}  // namespace

BENCHMARK_MAIN();
