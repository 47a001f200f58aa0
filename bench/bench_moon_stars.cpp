// Cost of one apparent place of the Moon and of a catalogue star at the
// years 1800, 2000 and 2200, and of one evaluation of the lunar series once
// its table is prepared: each must cost the same at any date.
#include <benchmark/benchmark.h>

#include "ephemeris/moon.h"
#include "ephemeris/stars.h"
#include "foundations/foundations.h"

namespace {

void BM_mooneph(benchmark::State& state)
{
    const int year = static_cast<int>(state.range(0));
    double dec, gha, gast, ra, hp, sd;
    for (auto _ : state) {
        lunarfix::mooneph(1, 69.0, year, 6, 15, 12, 30, 0, &dec, &gha, &gast,
                          &ra, &hp, &sd);
        benchmark::DoNotOptimize(dec);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_mooneph)->Arg(1800)->Arg(2000)->Arg(2200)->Unit(benchmark::kNanosecond);

// Args: StarIndex (53 Sirius, 43 Polaris), year.
void BM_starseph(benchmark::State& state)
{
    const int id = static_cast<int>(state.range(0));
    const int year = static_cast<int>(state.range(1));
    double dec, gha, gast, ra, sha;
    for (auto _ : state) {
        lunarfix::starseph(0, id, 69.0, year, 6, 15, 12, 30, 0, &dec, &gha,
                           &gast, &ra, &sha);
        benchmark::DoNotOptimize(dec);
        benchmark::DoNotOptimize(sha);
    }
}
BENCHMARK(BM_starseph)
    ->ArgsProduct({{53, 43}, {1800, 2000, 2200}})
    ->Unit(benchmark::kNanosecond);

// LEA406 alone after its first call (the table is then prepared); the
// argument is the year, at June 15.
void BM_LEA406(benchmark::State& state)
{
    const int year = static_cast<int>(state.range(0));
    const double jde = lunarfix::julday(year, 6, 15, 12, 30, 0);
    double lon, lat, dist;
    lunarfix::LEA406(jde, &lon, &lat, &dist);  // first call: prepares
    for (auto _ : state) {
        lunarfix::LEA406(jde, &lon, &lat, &dist);
        benchmark::DoNotOptimize(lon);
        benchmark::DoNotOptimize(dist);
    }
}
BENCHMARK(BM_LEA406)->Arg(-1999)->Arg(1800)->Arg(2000)->Arg(2200)->Arg(2999)
    ->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
