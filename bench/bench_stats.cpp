// The statistics part of HTML (roster, counters, pruning, player table, medal winners) on
// the event table of a generated 1,000,000-line log (--lines N for another size), with 300
// and with 5,000 players. The log is loaded and parsed once per player count; every
// iteration counts a copy of the parsed events, because the pruning removes join events.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/dialogs.h"
#include "common/progress.h"
#include "generated_log.h"
#include "silent_dialogs.h"
#include "report/run_statistics.h"
#include "table/game_events.h"
#include "table/player_table_fields.h"

namespace {

namespace fs = std::filesystem;
using namespace gravmark;

int64_t logLines = 1'000'000;

void BM_Statistics(benchmark::State& state) {
    bench::SilentDialogs silent;
    Dialogs* previous = installDialogs(&silent);
    GameEvents parsed;
    const int32_t gameCount =
        bench::parseLogInto(bench::generatedLog(logLines, static_cast<int>(state.range(0))), parsed);

    size_t rosterSize = 0;
    int events = 0;
    int32_t played = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GameEvents counted;
        counted.append(parsed);
        events = static_cast<int>(counted.list.size());
        RecordTable tempdb;
        tempdb.setFieldDefs(playerTableFields());
        tempdb.createDataSet();
        Statistics stats;
        Progress progress;
        state.ResumeTiming();

        runStatistics(stats, counted, tempdb, gameCount, progress);

        state.PauseTiming();
        rosterSize = stats.roster.size();
        played = stats.playedTotal;
        counted.clear();  // frees the events outside the timing
        tempdb.close();
        state.ResumeTiming();
    }
    state.counters["events"] = events;
    state.counters["roster"] = static_cast<double>(rosterSize);
    state.counters["games"] = gameCount;
    state.counters["played_total"] = played;
    installDialogs(previous);
}

}  // namespace

int main(int argc, char** argv) {
    logLines = bench::linesOption(argc, argv, logLines);
    benchmark::RegisterBenchmark("BM_Statistics", BM_Statistics)
        ->ArgName("players")
        ->Arg(300)
        ->Arg(5000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
