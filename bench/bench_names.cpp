// What keeping names merged costs on a generated 1,000,000-line log (--lines N for another
// size) with 5,000 players:
//  - BM_Parse/ids:0 and /ids:1: PARSE without and with counting the events of each player
//    id and name; the difference is the cost of collecting the ids;
//  - BM_ApplyRules: reading an aliases.txt of 1,000 rules (aliases that occur in the log)
//    and renaming the events, the step HTML adds before counting;
//  - BM_MergeById: the same step with no rules and merging by id, every other id of the
//    log given a second name (about 2,500 names merged).
// Each timed step starts from a copy of the parsed events.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "ingest/player_id_counts.h"
#include "log_generator.h"
#include "names/alias_list.h"
#include "names/kept_names.h"
#include "table/game_events.h"

namespace {

namespace fs = std::filesystem;
using namespace gravmark;

int64_t logLines = 1'000'000;
constexpr int kPlayers = 5000;

// The generated log, loaded once into a line store.
const TextBoxLines& loadedLog() {
    static TextBoxLines memo1 = [] {
        const fs::path log = fs::temp_directory_path() / ("gravmark-bench-" + std::to_string(logLines) + "-" +
                                                          std::to_string(kPlayers) + ".log");
        if (!fs::exists(log)) bench::writeLog({.lines = logLines, .players = kPlayers}, log.string());
        TextBoxLines lines;
        Progress progress;
        loadLog(log.string(), lines, progress);
        return lines;
    }();
    return memo1;
}

struct Parsed {
    fs::path folder = fs::temp_directory_path() / "gravmark-bench-names";
    GameEvents events;
    PlayerIdCounts ids;
};

// Parses the log once, keeping its events and its ids counted.
const Parsed& parsed() {
    static Parsed once = [] {
        Parsed result;
        fs::create_directories(result.folder);
        TextBoxLines memo2;
        Progress progress;
        int32_t gameCount = 0;
        parseLog(loadedLog(), result.events, false, memo2, progress, gameCount, &result.ids);
        return result;
    }();
    return once;
}

void BM_Parse(benchmark::State& state) {
    const TextBoxLines& memo1 = loadedLog();
    PlayerIdCounts ids;
    for (auto _ : state) {
        GameEvents events;
        TextBoxLines memo2;
        Progress progress;
        int32_t gameCount = 0;
        parseLog(memo1, events, false, memo2, progress, gameCount, state.range(0) ? &ids : nullptr);
        state.PauseTiming();
        events.clear();
        state.ResumeTiming();
    }
    state.counters["ids"] = static_cast<double>(ids.ids().size());
}

// Times applyKeptNames on the parsed events, with the aliases.txt of `rules` and the ids.
void timeApply(benchmark::State& state, const AliasList& rules, const PlayerIdCounts* ids) {
    const Parsed& log = parsed();
    const std::string folder = log.folder.string() + "/";
    rules.write(AliasList::fileName(folder));
    KeptNamesRun run;
    for (auto _ : state) {
        state.PauseTiming();
        GameEvents events;
        events.append(log.events);
        state.ResumeTiming();
        run = applyKeptNames(events, folder, ids);
        state.PauseTiming();
        events.clear();
        state.ResumeTiming();
    }
    state.counters["rules"] = static_cast<double>(run.rulesApplied);
    state.counters["merged_by_id"] = static_cast<double>(run.namesMergedById);
    state.counters["events_renamed"] = run.eventsRenamed;
}

void BM_ApplyRules(benchmark::State& state) {
    AliasList rules;
    const auto& ids = parsed().ids.ids();
    for (size_t i = 0; i < 1000 && i + 1000 < ids.size(); ++i) {
        rules.keep(ids[i].names.front().name, ids[i + 1000].names.front().name);
    }
    timeApply(state, rules, nullptr);
}

void BM_MergeById(benchmark::State& state) {
    PlayerIdCounts ids = parsed().ids;
    const auto& collected = parsed().ids.ids();
    for (size_t i = 0; i + 1 < collected.size(); i += 2) {
        ids.add(collected[i].id, collected[i + 1].names.front().name);
    }
    timeApply(state, AliasList(), &ids);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--lines") logLines = std::stoll(argv[i + 1]);
    }
    benchmark::RegisterBenchmark("BM_Parse", BM_Parse)
        ->ArgName("ids")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    for (auto* bench : {benchmark::RegisterBenchmark("BM_ApplyRules", BM_ApplyRules),
                        benchmark::RegisterBenchmark("BM_MergeById", BM_MergeById)}) {
        bench->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(parsed().folder);
    return 0;
}
