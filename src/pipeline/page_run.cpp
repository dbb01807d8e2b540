#include "pipeline/page_run.h"

#include <filesystem>

#include "common/dialogs.h"
#include "common/error.h"
#include "common/rotated_copies.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "names/kept_names.h"
#include "pipeline/shown_events.h"
#include "platform/native_path.h"
#include "report/build_page.h"
#include "report/run_statistics.h"
#include "site/code_page.h"
#include "table/event_table.h"
#include "table/work_tables.h"

namespace gravmark {

namespace {

std::string logFile(const RunOptions& options) { return options.folder + "games_mp.log"; }

// Rotated copies are read as one log, a line running on from one file into the next: they
// are copied into the line store, as the window does.
void load(PageRun& run, const RunOptions& options, Progress& progress) {
    const std::vector<std::string> files = logFilesToLoad(logFile(options), options.settings.history);
    run.mappedLog.clear();
    if (options.mapLog && files.size() == 1 && run.mappedLog.load(files.front(), progress)) {
        run.logLines.clear();
        run.lineCount = run.mappedLog.logLineCount();
        return;
    }
    run.lineCount = loadLog(files, run.logLines, progress);
}

void parse(PageRun& run, const RunOptions& options, Progress& progress) {
    run.eventCount = run.mappedLog.loaded()
                         ? parseLog(run.mappedLog, run.events, options.showDetails, run.detailLines, progress,
                                    run.gameCount, &run.playerIds)
                         : parseLog(run.logLines, run.events, options.showDetails, run.detailLines, progress,
                                    run.gameCount, &run.playerIds);
    run.eventTableOfParse.reset();
    if (options.showEvents) {
        showEventsInTable(run.events, run.eventTable);
        run.eventTableOfParse = run.eventTable.changeCount();
    }
    keepPageWithoutGames(run, options);
}

SiteOptions siteOptions(const SettingsValues& settings) {
    SiteOptions site;
    site.playerPages = settings.playerPages;
    site.modern = settings.siteStyle == "modern";
    site.exportData = settings.exportData;
    // A code page this program does not know reads as the default one.
    site.codePage = codePageNamed(settings.logCodePage).value_or(CodePage::Windows1252);
    site.medals = settings.medals;
    return site;
}

// The page is built in buffers of its own, apart from the log; the text boxes then show
// it in place of the log and the details.
void showPage(PageRun& run, TextBoxLines& page, TextBoxLines& foot) {
    run.mappedLog.clear();
    run.logLines.takeText(page);
    run.detailLines.takeText(foot);
}

void showClassicPage(PageRun& run, const PageInputs& inputs) {
    TextBoxLines page, foot;
    try {
        buildPage(inputs, page, foot);
    } catch (...) {
        // The classic page has always emptied the boxes before reading its templates, so a
        // template that cannot be read leaves them showing what had been put on the page.
        showPage(run, page, foot);
        throw;
    }
    showPage(run, page, foot);
}

void showModernPage(PageRun& run, const PageInputs& inputs) {
    TextBoxLines page, foot;
    run.playerSite.buildModernPage(inputs, page, foot);
    showPage(run, page, foot);
}

KeptNamesPlan keptNamesPlan(const RunOptions& options, const PlayerIdCounts* ids) {
    if (options.keptRules) return planKeptNames(*options.keptRules, ids);
    return planKeptNames(options.folder, ids);
}

// The kept names, with the player ids when merging by them. The window renames the table
// it shows, where the user sees the new names, and takes the events back from it, unless
// the table holds PARSE's events unedited: then the events are renamed alike, which gives
// the same events without reading a million records back.
KeptNamesRun keepNames(PageRun& run, const RunOptions& options, std::vector<uint32_t>& recordOfEvent) {
    if (options.countStatistics) return options.countStatistics(run.counts);
    const PlayerIdCounts* ids = options.settings.mergeById ? &run.playerIds : nullptr;
    KeptNamesPlan plan = keptNamesPlan(options, ids);
    if (!options.showEvents) {
        plan.run.eventsRenamed = renameNames(run.events, plan.renames);
        return plan.run;
    }
    run.eventTable.first();  // a pending grid edit is posted before the count is compared
    const bool asParsed = run.eventTableOfParse == run.eventTable.changeCount() &&
                          run.eventTable.postedCount() == run.events.list.size();
    run.eventTableOfParse.reset();
    plan.run.eventsRenamed = renameNames(run.eventTable, plan.renames);
    if (!asParsed) {
        run.events = eventsOfTable(run.eventTable, recordOfEvent);
        return plan.run;
    }
    renameNames(run.events, plan.renames);
    // PARSE posted each event before the one before it: record 0 holds the log's last event.
    recordOfEvent.resize(run.events.list.size());
    for (size_t event = 0; event < recordOfEvent.size(); ++event)
        recordOfEvent[event] = uint32_t(recordOfEvent.size() - 1 - event);
    return plan.run;
}

// The kept names rename the events first; then either the roster alone, for merging, or
// the statistics and the page.
void html(PageRun& run, const RunOptions& options, Progress& progress) {
    std::vector<uint32_t> recordOfEvent;
    const KeptNamesRun kept = keepNames(run, options, recordOfEvent);
    if (options.reportKeptNames) options.reportKeptNames(kept);
    if (options.rosterForMerging) {
        run.counts.removeDuplicates(run.events, progress);
        if (options.showEvents) leaveRosterView(run.eventTable);
        return;
    }
    run.standings = options.countStatistics
                        ? rankPlayers(run.counts, run.playerTable, progress)
                        : runStatistics(run.counts, run.events, run.playerTable, run.gameCount, progress);
    if (options.showEvents) showCountedEvents(run.eventTable, run.counts, recordOfEvent);
    run.playerSite.prepare(siteOptions(options.settings), run.events, run.standings.rows, run.playerTable,
                           run.standings.winners);
    run.ratings.reset();
    // Without a site beside the page (or a modern page) nothing would show them; counts
    // given from outside come without the events they are taken from.
    if (options.settings.ratings && run.playerSite.makesSite() && !options.countStatistics) {
        run.ratings = std::make_shared<const RatingReport>(
            rateGames(ratingInputOf(run.events, namedPlayers(run.counts.roster), run.gameCount)));
        run.playerSite.addRatings(run.ratings);
    }
    run.pageTime = options.clock();
    const PageInputs inputs{options.folder,
                            run.pageTime,
                            run.lineCount,
                            run.counts.playedTotal,
                            options.settings.medals,
                            run.standings.winners,
                            run.playerTable,
                            run.standings.rowsHtml,
                            run.playerSite.rowLinks(),
                            options.servers};
    if (run.playerSite.modern()) {
        showModernPage(run, inputs);
    } else {
        showClassicPage(run, inputs);
    }
    run.pageFinished = false;
}

void save(PageRun& run, const RunOptions& options) {
    run.lastSave =
        savePage(run.logLines, run.detailLines, run.pageFinished, options.saveToDefaultFolder,
                 options.settings.savePath, options.version,
                 run.playerSite.pageExtras(
                     options.folder, {run.pageTime, run.lineCount, run.counts.playedTotal, options.version}));
}

}  // namespace

bool pageReadsEveryEvent(const SettingsValues& settings) {
    const SiteOptions site = siteOptions(settings);
    return site.playerPages || site.exportData || (settings.ratings && site.anything());
}

void keepPageWithoutGames(const PageRun& run, const RunOptions& options) {
    if (run.eventCount == 0 && !options.pageToKeepWithoutGames.empty() &&
        std::filesystem::exists(platform::nativePath(options.pageToKeepWithoutGames))) {
        throw Error("The log holds no games; the page was not replaced.");
    }
}

PageRun::PageRun() { defineWorkTables(eventTable, playerTable); }

void PageRun::useWorkFolder(const std::string& folder) {
    recreateWorkTables(eventTable, playerTable, folder);
}

bool runSteps(PageRun& run, std::initializer_list<Step> steps, const RunOptions& options,
              Progress& progress) {
    for (const Step step : steps) {
        if (options.stopRequested && options.stopRequested()) return true;
        if (step == Step::Load && !logFileExists(logFile(options))) {
            if (options.missingLog == MissingLog::Fail)
                throw Error("File does not exist: " + logFile(options));
            dialogs().showMessage("File does not exist");
            return false;
        }
        if (options.beforeStep) options.beforeStep(step);
        switch (step) {
            case Step::Load:
                load(run, options, progress);
                break;
            case Step::Parse:
                parse(run, options, progress);
                break;
            case Step::Html:
                html(run, options, progress);
                break;
            case Step::Save:
                save(run, options);
                break;
        }
        if (options.afterStep) options.afterStep(step);
    }
    return true;
}

}  // namespace gravmark
