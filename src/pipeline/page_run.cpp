#include "pipeline/page_run.h"

#include <filesystem>

#include "common/dialogs.h"
#include "common/error.h"
#include "common/rotated_copies.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "report/build_page.h"
#include "stats/run_statistics.h"
#include "table/work_tables.h"

namespace gravmark {

namespace {

void load(PageRun& run, const RunSettings& settings, Progress& progress) {
    progress.setPartsComplete(0);
    run.lineCount = loadLog(logFilesToLoad(settings.folder + "games_mp.log", settings.settings.history),
                            run.logLines, progress);
}

void parse(PageRun& run, const RunSettings& settings, Progress& progress) {
    run.eventCount = parseLog(run.logLines, run.db, settings.showDetails, run.detailLines, progress,
                              run.gameCount, &run.playerIds);
    if (run.eventCount == 0 && !settings.pageToKeepWithoutGames.empty() &&
        std::filesystem::exists(settings.pageToKeepWithoutGames)) {
        throw Error("The log holds no games; the page was not replaced.");
    }
}

// The kept names (and, when set, the player ids) rename the events first; then either the
// roster alone, for merging, or the statistics and the page.
void html(PageRun& run, const RunSettings& settings, Progress& progress) {
    const KeptNamesRun kept =
        applyKeptNames(run.db, settings.folder, settings.settings.mergebyid ? &run.playerIds : nullptr);
    if (settings.reportKeptNames) settings.reportKeptNames(kept);
    if (settings.rosterForMerging) {
        run.counts.removeDuplicates(run.db, progress);
        return;
    }
    run.winners = runStatistics(run.counts, run.db, run.tempdb, run.gameCount, progress);
    run.playerSite.prepare(settings.settings.playerpages, run.db, run.counts, run.tempdb, run.winners);
    const PageInputs inputs{settings.folder,     settings.clock(),         run.lineCount,
                            run.counts.playedTotal, settings.settings.medals, run.winners,
                            run.tempdb,          run.playerSite.rowLinks()};
    buildPage(inputs, run.logLines, run.detailLines);
    run.pageFinished = false;
}

void save(PageRun& run, const RunSettings& settings) {
    run.lastSave = savePage(run.logLines, run.detailLines, run.pageFinished, settings.saveToDefaultFolder,
                            settings.settings.savepath, settings.version,
                            run.playerSite.writer(settings.folder));
}

}  // namespace

PageRun::PageRun() { defineWorkTables(db, tempdb); }

void PageRun::useWorkFolder(const std::string& folder) { recreateWorkTables(db, tempdb, folder); }

bool runSteps(PageRun& run, std::initializer_list<Step> steps, const RunSettings& settings, Progress& progress) {
    for (const Step step : steps) {
        if (step == Step::Load && !logFileExists(settings.folder + "games_mp.log")) {
            if (settings.missingLog == MissingLog::Fail)
                throw Error("File does not exist: " + settings.folder + "games_mp.log");
            dialogs().showMessage("File does not exist");
            return false;
        }
        if (settings.beforeStep) settings.beforeStep(step);
        switch (step) {
            case Step::Load:
                load(run, settings, progress);
                break;
            case Step::Parse:
                parse(run, settings, progress);
                break;
            case Step::Html:
                html(run, settings, progress);
                break;
            case Step::Save:
                save(run, settings);
                break;
        }
        if (settings.afterStep) settings.afterStep(step);
    }
    return true;
}

}  // namespace gravmark
