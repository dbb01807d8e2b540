// The skill ratings with head-to-head counts and form (what "ratings" adds to HTML): the
// kill events taken from the event table and rated, on a generated 1,000,000-line log
// of about 500 games (--lines N for another size), with 300 and with 50,000 players. The
// log is loaded and parsed once per player count, outside the timing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "common/progress.h"
#include "generated_log.h"
#include "stats/rating_report.h"
#include "stats/statistics.h"
#include "table/game_events.h"

namespace {

namespace fs = std::filesystem;
using namespace gravmark;

int64_t logLines = 1'000'000;

void BM_Ratings(benchmark::State& state) {
    const int players = static_cast<int>(state.range(0));
    GameEvents events;
    const int32_t gameCount = bench::parseLogInto(bench::generatedLog(logLines, players), events);
    Progress progress;
    Statistics stats;
    stats.removeDuplicates(events, progress);
    const std::vector<std::string> named = namedPlayers(stats.roster);

    size_t rated = 0;
    int32_t ranked = 0;
    for (auto _ : state) {
        const RatingReport report = rateGames(ratingInputOf(events, named, gameCount));
        ranked = report.rankedCount;
        rated = report.players.size();
    }
    state.counters["players"] = static_cast<double>(rated);
    state.counters["ranked"] = ranked;
    state.counters["games"] = gameCount;
    state.counters["events"] = static_cast<double>(events.list.size());
}

}  // namespace

int main(int argc, char** argv) {
    logLines = bench::linesOption(argc, argv, logLines);
    benchmark::RegisterBenchmark("BM_Ratings", BM_Ratings)
        ->ArgName("players")
        ->Arg(300)
        ->Arg(50000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);  // the median among them
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
