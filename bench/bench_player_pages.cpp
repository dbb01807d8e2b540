// What "Player pages" adds to a run, on a generated 1,000,000-line log (--lines N for
// another size) with 300 and with 5,000 players: the summary HTML makes from the event
// table, and writing players/, weapons.html and maps.html at SAVE. The log is loaded,
// parsed and counted once per player count, untimed; the two parts are then timed three
// times (best shown) and the memory they add is read from the process's resident size.
// The targets: at most 0.3 s with 300 players, 1 s with 5,000, and 50 MB more memory.
// Then the same site in the modern style with the export (names read as "auto"), which
// may take at most 0.5 s more than the classic one with 5,000 players.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_figures.h"
#include "common/dialogs.h"
#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "log_generator.h"
#include "silent_dialogs.h"
#include "site/site_export.h"
#include "site/site_writer.h"
#include "report/run_statistics.h"
#include "table/game_events.h"
#include "table/player_table_fields.h"

namespace {

namespace fs = std::filesystem;
using namespace gravmark;
// The process's resident memory now, in MB: what the pages add shows in it, where the peak
// is still that of loading the log.
double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// The site as a modern, exporting run stages it, the main page included.
void writeModernSite(const SiteSummary& site, const fs::path& folder, const std::string& page) {
    SiteOptions options;
    options.playerPages = options.modern = options.exportData = true;
    options.codePage = CodePage::Auto;
    options.medals.fill(true);
    const PlayerExtras extras;
    const ModernSite modern{site, options, extras};
    SiteChange change((folder / "site").string());
    stageSite(change, site, folder.string() + "/", page, &modern);
    change.addFile(std::string(kStatsJson), statsJson(modern, {}));
    change.addFile(std::string(kPlayersCsv), playersCsv(modern));
    change.commit();
}

void measure(int64_t lines, int players) {
    const fs::path folder = fs::temp_directory_path() /
                            ("gravmark-bench-pages-" + std::to_string(lines) + "-" + std::to_string(players));
    fs::create_directories(folder / "site");
    const fs::path log = folder / "games_mp.log";
    if (!fs::exists(log)) loggen::writeLog({.lines = lines, .players = players}, log.string());

    GameEvents events;
    RecordTable tempdb;
    tempdb.setFieldDefs(playerTableFields());
    tempdb.createDataSet();
    Statistics stats;
    PlayerStandings standings;
    {
        TextBoxLines memo1, memo2;
        Progress progress;
        loadLog(log.string(), memo1, progress);
        int32_t gameCount = 0;
        parseLog(memo1, events, false, memo2, progress, gameCount);
        standings = runStatistics(stats, events, tempdb, gameCount, progress);
    }

    double bestSummary = 1e9, bestWrite = 1e9, bestModern = 1e9, addedMemory = 0;
    const std::string page = (folder / "site" / "index.html").string();
    for (int run = 0; run < 3; ++run) {
        const double before = residentMegabytes();
        auto start = bench::Clock::now();
        const SiteSummary site = summarizeSite(events, standings.rows, tempdb, standings.winners);
        bestSummary = std::min(bestSummary, bench::secondsSince(start));
        start = bench::Clock::now();
        writeSite(site, folder.string() + "/", page);
        bestWrite = std::min(bestWrite, bench::secondsSince(start));
        start = bench::Clock::now();
        writeModernSite(site, folder, page);
        bestModern = std::min(bestModern, bench::secondsSince(start));
        addedMemory = std::max(addedMemory, residentMegabytes() - before);
    }
    std::printf(
        "%lld lines, %d players (%zu rows): summary %.3f s, writing %.3f s, together %.3f s; "
        "memory +%.1f MB; modern with export %.3f s (%+.3f s)\n",
        static_cast<long long>(lines), players, static_cast<size_t>(tempdb.recordCount()), bestSummary,
        bestWrite, bestSummary + bestWrite, addedMemory, bestModern, bestModern - bestWrite);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bench::SilentDialogs silent;
    installDialogs(&silent);
    int64_t lines = 1'000'000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--lines") lines = std::atoll(argv[i + 1]);
    }
    for (const int players : {300, 5000}) measure(lines, players);
    return 0;
}
