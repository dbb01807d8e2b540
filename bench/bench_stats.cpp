// The statistics part of HTML (roster, counters, pruning, player table, medal winners) on
// the event table of a generated 1,000,000-line log (--lines N for another size), with 300
// and with 5,000 players. The log is loaded and parsed once per player count; every
// iteration reads the parsed table back from its work file, as PARSE leaves it, because
// the pruning deletes join events. Per-step times are reported as counters (ms).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "common/dialogs.h"
#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "log_generator.h"
#include "stats/player_table.h"
#include "stats/player_table_fields.h"
#include "stats/statistics.h"
#include "table/event_table.h"

namespace {

namespace fs = std::filesystem;
using namespace gravmark;

int64_t logLines = 1'000'000;

fs::path scratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return fs::path(tmp ? tmp : "/tmp");
}

// The roster warning of large rosters would wait for a user.
class SilentDialogs : public Dialogs {
public:
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    std::optional<std::string> askSaveFileName() override { return {}; }
    std::optional<std::string> askFolder(const std::string&) override { return {}; }
};

// Parses a generated log once and leaves its event table in a work file; returns GameCount.
int32_t parsedWorkFile(int players, const std::string& workFile) {
    const fs::path log =
        scratchFolder() / ("gravmark-bench-" + std::to_string(logLines) + "-" + std::to_string(players) + ".log");
    if (!fs::exists(log)) bench::writeLog({.lines = logLines, .players = players}, log.string());
    TextBoxLines memo1, memo2;
    Progress progress;
    loadLog(log.string(), memo1, progress);
    RecordTable db;
    db.setFieldDefs(eventTableFields());
    db.setFileName(workFile);
    db.createDataSet();
    int32_t GameCount = 0;
    parseLog(memo1, db, false, memo2, progress, GameCount);
    db.close();
    return GameCount;
}

void BM_Statistics(benchmark::State& state) {
    SilentDialogs silent;
    Dialogs* previous = installDialogs(&silent);
    const std::string workFile = (scratchFolder() / "gravmark-bench-stats-lijst.xml").string();
    const int32_t GameCount = parsedWorkFile(static_cast<int>(state.range(0)), workFile);

    std::map<std::string, double> stepSeconds;
    size_t rosterSize = 0;
    int events = 0;
    int32_t played = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RecordTable db;
        db.setFieldDefs(eventTableFields());
        db.setFileName(workFile);
        db.open();
        events = db.recordCount();
        RecordTable tempdb;
        tempdb.setFieldDefs(playerTableFields());
        tempdb.createDataSet();
        Statistics stats;
        Progress progress;
        state.ResumeTiming();

        const auto timed = [&stepSeconds](const char* step, const std::function<void()>& work) {
            const auto start = std::chrono::steady_clock::now();
            work();
            stepSeconds[step] += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        timed("1_roster", [&] { stats.Removeduplicates(db, progress); });
        timed("2_kills", [&] { stats.CountKills(db, progress); });
        timed("3_deaths", [&] { stats.Countdeaths(db, progress); });
        timed("4_headshots", [&] { stats.CountHeadShots(db, progress); });
        timed("5_bombs", [&] { stats.CountBombs(db, progress); });
        timed("6_suicides", [&] { stats.CountSuicides(db, progress); });
        timed("7_prune", [&] { stats.DeleteGamesWithNoStat(db, GameCount, progress); });
        timed("8_players", [&] { fillPlayerTable(stats, db, tempdb, progress); });
        timed("9_medals", [&] { pickMedalWinners(tempdb); });

        state.PauseTiming();
        rosterSize = stats.roster.size();
        played = stats.PlayedTotal;
        db.setFileName({});  // the pruned table must not replace the parsed one
        db.close();
        state.ResumeTiming();
    }
    const auto iterations = static_cast<double>(state.iterations());
    for (const auto& [step, seconds] : stepSeconds) state.counters[step + "_ms"] = seconds * 1000 / iterations;
    state.counters["events"] = events;
    state.counters["roster"] = static_cast<double>(rosterSize);
    state.counters["games"] = GameCount;
    state.counters["played_total"] = played;
    fs::remove(workFile);
    installDialogs(previous);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--lines") logLines = std::stoll(argv[i + 1]);
    }
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
