// LOAD, PARSE and HTML on arbitrary log bytes, as ALL runs them: LOAD stores every line
// and its summary line, PARSE stores one event per join and kill line (as the work file
// read back holds them, with a details line each), and HTML builds the page without failing.
#include <array>
#include <string>

#include "common/error.h"
#include "common/text_box_lines.h"
#include "fuzz_support.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "ingest/parse_line_kind.h"
#include "report/build_page.h"
#include "stats/run_statistics.h"
#include "support/scripted_dialogs.h"
#include "table/work_tables.h"

namespace {
const QDateTime kUpdated(QDate(2026, 12, 9), QTime(14, 30));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gravmark;
    const test::ScriptedDialogs dialogs;  // CountKills may warn about a long roster
    const std::string folder = fuzz::scratch().folder();
    const std::string log = folder + "games_mp.log";
    test::writeFile(log, fuzz::bytesOf(data, size));

    Progress progress;
    TextBoxLines memo1, memo2;
    const int32_t LineCount = loadLog(log, memo1, progress);
    fuzz::require(memo1.lineCount() == size_t(LineCount) + 1, "LOAD stores every line and a summary");
    fuzz::require(memo1.line(size_t(LineCount)) == "Aantal Lines : " + std::to_string(LineCount),
                  "LOAD's summary line counts the lines");

    int32_t joins = 0, kills = 0;
    for (size_t i = 0; i < memo1.lineCount(); ++i) {
        const LineKind kind = classifyLine(memo1.line(i));
        joins += kind == LineKind::Join;
        kills += kind == LineKind::Kill;
    }

    RecordTable db, tempdb;
    defineWorkTables(db, tempdb);
    recreateWorkTables(db, tempdb, folder);
    int32_t GameCount = 0;
    const int32_t stored = parseLog(memo1, db, true, memo2, progress, GameCount);
    fuzz::require(stored == joins + kills, "PARSE stores one event per join and kill line");
    fuzz::require(memo2.lineCount() == size_t(stored), "PARSE writes one details line per event");
    int32_t storedJoins = 0, storedKills = 0;
    for (db.first(); !db.eof(); db.next()) {
        storedJoins += db.textOf("command") == "J";
        storedKills += db.textOf("command") == "K";
    }
    fuzz::require(storedJoins == joins && storedKills == kills,
                  "the work file holds the events PARSE stored");

    try {
        Statistics stats;
        const MedalWinners winners = runStatistics(stats, db, tempdb, GameCount, progress);
        const std::array<bool, 7> everyMedal{true, true, true, true, true, true, true};
        buildPage({folder, kUpdated, LineCount, stats.playedTotal, everyMedal, winners, tempdb}, memo1,
                  memo2);
    } catch (const Error& error) {
        fuzz::require(false, "HTML does not fail", error.what());
    }
    fuzz::require(memo1.lineCount() > 0, "HTML writes a page");
    return 0;
}
