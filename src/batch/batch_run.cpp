#include "batch/batch_run.h"

#include <exception>
#include <filesystem>

#include "batch/batch_fetch.h"
#include "batch/batch_page_options.h"
#include "batch/shipped_sample_log.h"
#include "batch/stderr_dialogs.h"
#include "batch/terminal_progress.h"
#include "common/error.h"
#include "common/program_folder.h"
#include "common/program_layout.h"
#include "pipeline/page_run.h"
#include "settings/ini_file.h"

namespace gravmark {

namespace {

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
    PageRun run;
    // "Updated @" is the same time for the whole run.
    RunOptions steps = batchPageOptions(programFolder(), settings, options.out.has_value(),
                                        pageTarget(options, settings),
                                        options.now.value_or(QDateTime::currentDateTime()), dialogs);
    steps.beforeStep = [&step](Step next) { step(stepName(next)); };
    runSteps(run, kAllSteps, steps, progress);
}

}  // namespace

int runBatch(const BatchOptions& options, const BatchStepListener& onStep) {
    StderrDialogs dialogs(options.out, options.quiet);
    try {
        setProgramFolder(chooseProgramFolder(options));
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
