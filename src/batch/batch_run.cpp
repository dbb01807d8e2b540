#include "batch/batch_run.h"

#include <QDir>
#include <QTemporaryDir>
#include <exception>
#include <filesystem>

#include "batch/batch_fetch.h"
#include "batch/stderr_dialogs.h"
#include "batch/terminal_progress.h"
#include "common/error.h"
#include "common/file_names.h"
#include "common/program_folder.h"
#include "common/program_layout.h"
#include "common/rotated_copies.h"
#include "common/text_box_lines.h"
#include "common/version_info.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "ingest/player_id_counts.h"
#include "names/kept_names.h"
#include "report/build_page.h"
#include "report/save_page.h"
#include "settings/ini_file.h"
#include "site/player_site.h"
#include "stats/run_statistics.h"
#include "table/work_tables.h"

namespace gravmark {

namespace {

// The page goes to --out, else to the default save folder; checked before any work, so
// that a run without a place for the page changes nothing.
void requirePageTarget(const BatchOptions& options, const SettingsValues& settings) {
    if (options.out) return;
    if (settings.savepath.empty() || settings.savepath == kNotConfigured) {
        throw Error("No place for the page: give --out FILE, or set a default save folder (savepath) in " +
                    settingsFileName());
    }
}

// The kept names (and, when set, the player ids) rename the events before counting; the
// run tells how many rules it applied and warns of what it could not use.
void applyKeptNamesToDb(RecordTable& db, const SettingsValues& settings, const PlayerIdCounts& ids,
                        StderrDialogs& dialogs) {
    const KeptNamesRun run = applyKeptNames(db, programFolder(), settings.mergebyid ? &ids : nullptr);
    for (const std::string& problem : run.problems) dialogs.showWarning(problem);
    if (!run.sharedIds.empty()) dialogs.showWarning(sharedIdsText(run.sharedIds));
    if (run.rulesApplied == 0 && !settings.mergebyid) return;
    std::string summary = "Kept names: " + std::to_string(run.rulesApplied) + " rules of aliases.txt applied";
    if (settings.mergebyid)
        summary += ", " + std::to_string(run.namesMergedById) + " names merged by player id";
    dialogs.showMessage(summary + ", " + std::to_string(run.eventsRenamed) + " events renamed");
}

// Where the page goes: --out, else index.html in the default save folder.
std::string pageTarget(const BatchOptions& options, const SettingsValues& settings) {
    return options.out ? *options.out : defaultPageFile(settings.savepath);
}

// LOAD, PARSE, HTML and SAVE as ALL runs them, except that a missing log, or a log without
// a single game event where a page already stands, stops the run: a scheduled run must not
// replace the clan's page by an empty one.
void buildAndSave(const BatchOptions& options, const SettingsValues& settings, Progress& progress,
                  const BatchStepListener& step, StderrDialogs& dialogs) {
    // The tables as the main window holds them once it is created, but with their work
    // files in a folder of this run's own: a desktop program in the same program folder
    // keeps its lijst.xml and temp.xml. Declared first, the folder outlives the tables.
    const QTemporaryDir workFolder(QDir::tempPath() + "/gravmark-batch-XXXXXX");
    if (!workFolder.isValid()) {
        throw Error("Cannot create a work folder in " + fileSystemName(QDir::tempPath()) + ". " +
                    workFolder.errorString().toStdString());
    }
    RecordTable db, tempdb;
    defineWorkTables(db, tempdb);
    recreateWorkTables(db, tempdb, fileSystemName(workFolder.path()) + "/");

    step("LOAD");
    const std::string log = programFolder() + "games_mp.log";
    if (!logFileExists(log)) throw Error("File does not exist: " + log);
    TextBoxLines memo1, memo2;
    const int32_t LineCount = loadLog(logFilesToLoad(log, settings.history), memo1, progress);

    step("PARSE");
    int32_t GameCount = 0;
    PlayerIdCounts ids;
    const int32_t events = parseLog(memo1, db, false, memo2, progress, GameCount, &ids);
    if (events == 0 && std::filesystem::exists(pageTarget(options, settings)))
        throw Error("The log holds no games; the page was not replaced.");

    step("HTML");
    applyKeptNamesToDb(db, settings, ids, dialogs);
    Statistics stats;
    const MedalWinners winners = runStatistics(stats, db, tempdb, GameCount, progress);
    PlayerSite playerSite;
    playerSite.prepare(settings.playerpages, db, stats, tempdb, winners);
    const PageInputs inputs{programFolder(), options.now.value_or(QDateTime::currentDateTime()),
                            LineCount,       stats.playedTotal,
                            settings.medals, winners,
                            tempdb,          playerSite.rowLinks()};
    buildPage(inputs, memo1, memo2);

    step("SAVE");
    bool pageFinished = false;
    savePage(memo1, memo2, pageFinished, !options.out, settings.savepath, VersionInfo().productVersion(),
             playerSite.writer(programFolder()));

    db.close();
    tempdb.close();
}

}  // namespace

int runBatch(const BatchOptions& options, const BatchStepListener& onStep) {
    StderrDialogs dialogs(options.out, options.quiet);
    try {
        if (options.folder) {
            if (!std::filesystem::is_directory(*options.folder))
                throw Error("Folder does not exist: " + *options.folder);
            setProgramFolder(*options.folder);
        } else {
            setProgramFolder(standardProgramFolder());
        }
        const SettingsValues settings = readSettings(settingsFileName());
        requirePageTarget(options, settings);
        Progress progress;
        TerminalProgress bar(progress, options.quiet);
        const BatchStepListener step = [&](const std::string& name) {
            bar.setStep(name);
            if (onStep) onStep(name);
        };
        if (options.fetch) {
            step("FETCH");
            fetchLog(settings, programFolder(), progress, options.trust);
        }
        buildAndSave(options, settings, progress, step, dialogs);
        return 0;
    } catch (const std::exception& failure) {
        dialogs.showError(failure.what());
        return 1;
    }
}

}  // namespace gravmark
