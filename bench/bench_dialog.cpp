// The whole dialog with every default answer, from the title screen to the
// first answer that the result menu reads (two sights, the lunar-distance
// input, the first time correction, the iteration to a converged fix and
// 31 lunar-distance passes of up to 10 clearings each, every pass with both
// sights recomputed).  The script ends where the menu reads, so each run
// then closes at the end of input.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "foundations/console_io.h"
#include "dialog/console.h"
#include "dialog/dialog.h"

namespace {

void BM_DefaultRunToResultMenu(benchmark::State& state) {
    char dir[] = "/tmp/lunarfix_bench_XXXXXX";
    char here[4096];
    if (!mkdtemp(dir) || !getcwd(here, sizeof here) || chdir(dir) != 0) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string answers(22, '\n');
    int passes = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::remove("moondist0x1.txt");
        std::remove("moondist0x2.txt");
        std::istringstream in(answers);
        std::ostringstream out;
        lunarfix::set_console(&in, &out);
        lunarfix::readers().reset();
        state.ResumeTiming();

        lunarfix::Dialog dialog(&lunarfix::readers());
        int status = dialog.run();
        benchmark::DoNotOptimize(status);
        passes = dialog.passes();
        bytes = out.str().size();
    }
    state.counters["passes"] = passes;
    state.counters["transcript_bytes"] = static_cast<double>(bytes);
    lunarfix::readers().reset();
    lunarfix::set_console(&std::cin, &std::cout);
    std::remove("moondist0x0.txt");
    std::remove("moondist0x1.txt");
    std::remove("moondist0x2.txt");
    if (chdir(here) == 0) rmdir(dir);
}
BENCHMARK(BM_DefaultRunToResultMenu)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
