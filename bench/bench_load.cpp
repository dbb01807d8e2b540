// LOAD's core on generated logs: 1,000,000 lines (about 110 MB) by default; with
// --with-1gb also 10,000,000 lines (about 1.1 GB). Reports the peak resident memory of
// the process; the logs are written to $TMPDIR (or /tmp) once and reused.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "log_generator.h"

namespace {

std::string generatedLog(int64_t lines) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string path =
        std::string(tmp ? tmp : "/tmp") + "/gravmark-bench-" + std::to_string(lines) + ".log";
    if (!std::filesystem::exists(path)) {
        gravmark::bench::LogShape shape;
        shape.lines = lines;
        gravmark::bench::writeLog(shape, path);
    }
    return path;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadLog(benchmark::State& state) {
    const std::string path = generatedLog(state.range(0));
    gravmark::TextBoxLines memo1;
    gravmark::Progress progress;
    int percentChanges = 0;
    progress.setPercentListener([&percentChanges](int) { ++percentChanges; });
    int32_t lineCount = 0;
    for (auto _ : state) {
        lineCount = gravmark::loadLog(path, memo1, progress);
        benchmark::DoNotOptimize(memo1.lineCount());
    }
    state.counters["lines"] = lineCount;
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["percent_changes"] =
        static_cast<double>(percentChanges) / static_cast<double>(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    bool huge = false;
    for (int i = 1; i < argc; ++i) huge = huge || std::string_view(argv[i]) == "--with-1gb";
    auto* bench = benchmark::RegisterBenchmark("BM_LoadLog", BM_LoadLog)
                      ->Arg(1'000'000)
                      ->Unit(benchmark::kMillisecond)
                      ->UseRealTime()
                      ->Iterations(3);
    if (huge) bench->Arg(10'000'000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
