// LOAD, PARSE and HTML on arbitrary log bytes, through the run the window and the batch
// share: LOAD stores every line and its summary line, PARSE stores one event per join and
// kill line (with a details line each, and shown in the window's event table as its work file
// read back holds them), and HTML builds the page from that table without failing.
#include <string>

#include "common/error.h"
#include "fuzz_support.h"
#include "ingest/parse_line_kind.h"
#include "pipeline/page_run.h"
#include "support/scripted_dialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gravmark;
    const test::ScriptedDialogs dialogs;
    const std::string folder = fuzz::scratch().folder();
    test::writeFile(folder + "games_mp.log", fuzz::bytesOf(data, size));

    PageRun run;
    run.useWorkFolder(folder);
    RunOptions options;
    options.folder = folder;
    options.showDetails = true;
    options.showEvents = true;
    options.settings.medals = {true, true, true, true, true, true, true};
    options.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(14, 30)); };
    Progress progress;
    runSteps(run, {Step::Load}, options, progress);
    const TextBoxLines& memo1 = run.logLines;
    fuzz::require(memo1.lineCount() == size_t(run.lineCount) + 1, "LOAD stores every line and a summary");
    fuzz::require(memo1.line(size_t(run.lineCount)) == "Aantal Lines : " + std::to_string(run.lineCount),
                  "LOAD's summary line counts the lines");

    int32_t joins = 0, kills = 0;
    for (size_t i = 0; i < memo1.lineCount(); ++i) {
        const LineKind kind = classifyLine(memo1.line(i));
        joins += kind == LineKind::Join;
        kills += kind == LineKind::Kill;
    }

    runSteps(run, {Step::Parse}, options, progress);
    fuzz::require(run.eventCount == joins + kills, "PARSE stores one event per join and kill line");
    fuzz::require(run.detailLines.lineCount() == size_t(run.eventCount), "PARSE writes one details line per event");
    int32_t storedJoins = 0, storedKills = 0;
    for (const GameEvent& event : run.events.list) {
        storedJoins += event.kind == EventKind::Join;
        storedKills += event.kind == EventKind::Kill;
    }
    fuzz::require(storedJoins == joins && storedKills == kills, "PARSE keeps an event of each kind per line");
    int32_t shownJoins = 0, shownKills = 0;
    for (run.eventTable.first(); !run.eventTable.eof(); run.eventTable.next()) {
        shownJoins += run.eventTable.textOf("command") == "J";
        shownKills += run.eventTable.textOf("command") == "K";
    }
    fuzz::require(shownJoins == joins && shownKills == kills, "the work file holds the events PARSE stored");

    try {
        runSteps(run, {Step::Html}, options, progress);
    } catch (const Error& error) {
        fuzz::require(false, "HTML does not fail", error.what());
    }
    fuzz::require(run.logLines.lineCount() > 0, "HTML writes a page");
    return 0;
}
