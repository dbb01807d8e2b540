// PARSE's core on a generated 1,000,000-line log (--lines N for another size) into events
// as plain values. The store is filled once by LOAD; every iteration parses it from
// emptied events, as PARSE does. The log goes to $TMPDIR.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "log_generator.h"
#include "table/game_events.h"

namespace {

namespace fs = std::filesystem;

fs::path scratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return fs::path(tmp ? tmp : "/tmp");
}

// The log LOAD reads: generated once per size and kept for later runs.
std::string logOfLines(int64_t lines) {
    const fs::path path = scratchFolder() / ("gravmark-bench-" + std::to_string(lines) + ".log");
    if (!fs::exists(path)) gravmark::bench::writeLog({.lines = lines}, path.string());
    return path.string();
}

void BM_ParseLog(benchmark::State& state) {
    gravmark::TextBoxLines memo1, memo2;
    gravmark::Progress progress;
    gravmark::loadLog(logOfLines(state.range(0)), memo1, progress);

    gravmark::GameEvents events;

    int percentChanges = 0;
    progress.setPercentListener([&percentChanges](int) { ++percentChanges; });
    int32_t gameCount = 0;
    int32_t stored = 0;
    for (auto _ : state) stored = gravmark::parseLog(memo1, events, false, memo2, progress, gameCount);
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["lines"] = static_cast<double>(memo1.lineCount());
    state.counters["records"] = stored;
    state.counters["games"] = gameCount;
    state.counters["percent_changes"] = percentChanges / iterations;
}

}  // namespace

int main(int argc, char** argv) {
    int64_t lines = 1'000'000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--lines") lines = std::stoll(argv[i + 1]);
    }
    benchmark::RegisterBenchmark("BM_ParseLog", BM_ParseLog)
        ->Arg(lines)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
