// Timings of the foundations: nutation, the series cosine at small and
// large arguments of either sign (its cost must not grow with the
// argument), the angle lift, and Delta T from the model and the file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "foundations/console_io.h"
#include "foundations/foundations.h"

using namespace lunarfix;

static void BM_Nutation(benchmark::State& state) {
    double TE = -0.127296372348;
    double dpsi, deps, eps0, eps;
    for (auto _ : state) {
        Nutation(TE, &dpsi, &deps, &eps0, &eps);
        benchmark::DoNotOptimize(dpsi);
        benchmark::DoNotOptimize(eps);
        TE += 1e-9;
    }
}
BENCHMARK(BM_Nutation);

// One angle function timed near the argument state.range(0), the argument
// creeping up by 1e-7 a call.
static void time_angle_function(benchmark::State& state, double (*f)(double)) {
    const double base = static_cast<double>(state.range(0));
    double x = base + 0.123;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(x));
        x += 1e-7;
    }
    state.SetLabel("x ~ " + std::to_string(state.range(0)));
}

// Arguments C*Tau + B as the planetary series form them: C up to about
// 327575 rad per millennium, Tau from -4 to +4.
static void BM_cost(benchmark::State& state) { time_angle_function(state, cost); }
BENCHMARK(BM_cost)->Arg(-1310300)->Arg(-65536)->Arg(-3)->Arg(3)->Arg(65536)->Arg(1310300);

static void BM_norm2pi(benchmark::State& state) { time_angle_function(state, norm2pi); }
BENCHMARK(BM_norm2pi)->Arg(-1310300)->Arg(-3)->Arg(3);

static void BM_deltatime(benchmark::State& state) {
    int year = -700;
    for (auto _ : state) {
        benchmark::DoNotOptimize(deltatime(year, 1));
        year = (year >= 3500) ? -700 : year + 1;
    }
}
BENCHMARK(BM_deltatime);

// delta0x reads the prediction file at each call.  It runs in a
// temporary directory, so that the default file it writes there does not
// land in the caller's working directory.
static void BM_delta0x(benchmark::State& state) {
    char old_dir[4096];
    char tmpl[] = "/tmp/lunarfix_bench_XXXXXX";
    if (getcwd(old_dir, sizeof old_dir) == nullptr || mkdtemp(tmpl) == nullptr ||
        chdir(tmpl) != 0) {
        state.SkipWithError("no temporary directory");
        return;
    }
    std::istringstream in;
    std::ostringstream out;
    set_console(&in, &out);
    int year = 2021;
    for (auto _ : state) {
        benchmark::DoNotOptimize(delta0x(year));
        year = (year >= 3000) ? 2021 : year + 1;
    }
    set_console(&std::cin, &std::cout);
    std::remove("moondist0x0.txt");
    if (chdir(old_dir) != 0) state.SkipWithError("cannot return to the working directory");
    rmdir(tmpl);
}
BENCHMARK(BM_delta0x);

BENCHMARK_MAIN();
