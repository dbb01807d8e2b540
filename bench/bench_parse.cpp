// PARSE's core on a generated 1,000,000-line log (--lines N for another size), the
// "lijst.xml" written. The store is filled once by LOAD; every iteration
// parses it from an emptied event table, as PARSE does. The work file goes to $TMPDIR.
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
#include "table/event_table.h"

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

    gravmark::RecordTable db;
    db.setFieldDefs(gravmark::eventTableFields());
    db.setFileName((scratchFolder() / "gravmark-bench-lijst.xml").string());
    db.createDataSet();

    int percentChanges = 0;
    progress.setPercentListener([&percentChanges](int) { ++percentChanges; });
    int32_t gameCount = 0;
    int32_t stored = 0;
    for (auto _ : state) stored = gravmark::parseLog(memo1, db, false, memo2, progress, gameCount);
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["lines"] = static_cast<double>(memo1.lineCount());
    state.counters["records"] = stored;
    state.counters["games"] = gameCount;
    state.counters["lijst_MB"] = static_cast<double>(fs::file_size(db.fileName())) / 1e6;
    state.counters["percent_changes"] = percentChanges / iterations;
    fs::remove(db.fileName());
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
