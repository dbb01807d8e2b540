#include "batch/batch_run.h"

#include <exception>
#include <filesystem>

#include "batch/batch_fetch.h"
#include "batch/shipped_sample_log.h"
#include "batch/stderr_dialogs.h"
#include "batch/terminal_progress.h"
#include "common/error.h"
#include "common/program_folder.h"
#include "common/program_layout.h"
#include "common/version_info.h"
#include "names/kept_names.h"
#include "pipeline/page_run.h"
#include "report/save_page.h"
#include "settings/ini_file.h"

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

// The batch tells how many kept-name rules it applied and warns of what it could not use.
void reportKeptNames(const KeptNamesRun& run, const SettingsValues& settings, StderrDialogs& dialogs) {
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

// --folder, else the folder of the programs' layout; a batch without HOME would otherwise
// work in the root folder's .local/share.
std::string chooseFolder(const BatchOptions& options) {
    if (!options.folder) {
        try {
            return standardProgramFolder();
        } catch (const NoHomeFolder& missing) {
            throw Error(std::string(missing.what()) + ": give --folder");
        }
    }
    if (!std::filesystem::is_directory(*options.folder)) throw Error("Folder does not exist: " + *options.folder);
    return *options.folder;
}

const char* stepName(Step step) {
    switch (step) {
        case Step::Load:
            return "LOAD";
        case Step::Parse:
            return "PARSE";
        case Step::Html:
            return "HTML";
        case Step::Save:
            return "SAVE";
    }
    return "";
}

// ALL and SAVE as the desktop program runs them, except that a missing log, or a log
// without a single game event where a page already stands, stops the run.
void buildAndSave(const BatchOptions& options, const SettingsValues& settings, Progress& progress,
                  const BatchStepListener& step, StderrDialogs& dialogs) {
    // The tables have no work files: nobody could read them, and a desktop program in the
    // same program folder keeps its own lijst.xml and temp.xml.
    PageRun run;
    RunOptions steps;
    steps.folder = programFolder();
    steps.settings = settings;
    steps.saveToDefaultFolder = !options.out;  // else the save dialog's answer is --out
    steps.version = VersionInfo().productVersion();
    const QDateTime now = options.now.value_or(QDateTime::currentDateTime());
    steps.clock = [now] { return now; };
    steps.missingLog = MissingLog::Fail;
    steps.pageToKeepWithoutGames = pageTarget(options, settings);
    steps.beforeStep = [&step](Step next) { step(stepName(next)); };
    steps.reportKeptNames = [&](const KeptNamesRun& kept) { reportKeptNames(kept, settings, dialogs); };
    runSteps(run, kAllSteps, steps, progress);
}

}  // namespace

int runBatch(const BatchOptions& options, const BatchStepListener& onStep) {
    StderrDialogs dialogs(options.out, options.quiet);
    try {
        setProgramFolder(chooseFolder(options));
        IniFile(settingsFileName()).requireReadable();
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
        refuseShippedSampleLog(programFolder());
        buildAndSave(options, settings, progress, step, dialogs);
        return 0;
    } catch (const std::exception& failure) {
        dialogs.showError(failure.what());
        return 1;
    }
}

}  // namespace gravmark
