// The skill ratings with head-to-head counts and form (what "ratings" adds to HTML): the
// kill events taken from the event table and rated, on a generated 1,000,000-line log
// of about 500 games (--lines N for another size), with 300 and with 50,000 players. The
// log is loaded and parsed once per player count, outside the timing.
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
#include "stats/rating_report.h"
#include "stats/statistics.h"
#include "table/event_table.h"

namespace {

namespace fs = std::filesystem;
using namespace gravmark;

int64_t logLines = 1'000'000;

void BM_Ratings(benchmark::State& state) {
    const int players = static_cast<int>(state.range(0));
    const char* tmp = std::getenv("TMPDIR");
    const fs::path log = fs::path(tmp ? tmp : "/tmp") / ("gravmark-bench-" + std::to_string(logLines) + "-" +
                                                         std::to_string(players) + ".log");
    if (!fs::exists(log)) bench::writeLog({.lines = logLines, .players = players}, log.string());
    TextBoxLines memo1, memo2;
    Progress progress;
    loadLog(log.string(), memo1, progress);
    RecordTable db;
    db.setFieldDefs(eventTableFields());
    db.createDataSet();
    int32_t gameCount = 0;
    parseLog(memo1, db, false, memo2, progress, gameCount);
    Statistics stats;
    stats.removeDuplicates(db, progress);
    const std::vector<std::string> named = namedPlayers(stats.roster);

    size_t rated = 0;
    int32_t ranked = 0;
    for (auto _ : state) {
        const RatingReport report = rateGames(ratingInputOf(db, named, gameCount));
        ranked = report.rankedCount;
        rated = report.players.size();
    }
    state.counters["players"] = static_cast<double>(rated);
    state.counters["ranked"] = ranked;
    state.counters["games"] = gameCount;
    state.counters["events"] = db.recordCount();
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--lines") logLines = std::stoll(argv[i + 1]);
    }
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
