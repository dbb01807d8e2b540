// The four work steps of the main window: LOAD, PARSE, HTML and SAVE, a step per button and
// all four for ALL. The work is the run every caller shares (pipeline/page_run.h); the
// window sets its controls around each step as the state table says.
#include <QCheckBox>
#include <QPushButton>
#include <utility>

#include "common/dialogs.h"
#include "common/program_folder.h"
#include "ui/main_window.h"
#include "ui/merge_names_window.h"
#include "ui/progress_bar.h"
#include "ui/text_box.h"
#include "ui/waiting_events.h"

namespace gravmark {

void MainWindow::load() { runButtonSteps({Step::Load}); }
void MainWindow::parse() { runButtonSteps({Step::Parse}); }
// With "Let me join Names" HTML ends with the roster in the merge window.
void MainWindow::buildHtml() { runButtonSteps({Step::Html}); }
void MainWindow::save() { runButtonSteps({Step::Save}); }

void MainWindow::runAll() {
    allButton->setEnabled(false);
    loadButton->setEnabled(false);
    // Without a log ALL stops: going on would save a page of nothing over the clan's page.
    // Nothing has changed, so LOAD and ALL can be used again once the log is there.
    if (!runButtonSteps(kAllSteps)) {
        loadButton->setEnabled(true);
        allButton->setEnabled(true);
    }
}

bool MainWindow::runButtonSteps(std::initializer_list<Step> steps) {
    RunOptions options;
    options.folder = programFolder();
    options.settings = settings_;
    options.showDetails = showDetailsBox->isChecked();
    options.showEvents = true;
    options.rosterForMerging = joinNamesBox->isChecked();
    options.saveToDefaultFolder = defaultSaveBox->isChecked();
    options.version = versionInfo.productVersion();
    options.clock = clock;
    options.beforeStep = [this](Step step) { beforeStep(step); };
    options.afterStep = [this](Step step) { afterStep(step); };
    options.reportKeptNames = [this](const KeptNamesRun& kept) { reportKeptNames(kept); };
    // The window's close box, pressed during a step, waits in the queue until now.
    options.stopRequested = [this] {
        deliverWaitingEventsWithoutInput();
        return closeAfterStep_;
    };
    const StepsRunning running(*this);
    return runSteps(run, steps, options, progressBar->model());
}

MainWindow::StepsRunning::StepsRunning(MainWindow& window) : window_(window) { window_.stepsRunning_ = true; }

MainWindow::StepsRunning::~StepsRunning() {
    window_.stepsRunning_ = false;
    if (std::exchange(window_.closeAfterStep_, false)) window_.close();
}

void MainWindow::beforeStep(Step step) {
    switch (step) {
        case Step::Load:
            allButton->setEnabled(false);
            // Hidden while it fills, and left hidden when reading fails.
            logTextBox->hide();
            break;
        case Step::Parse:
            loadButton->setEnabled(false);
            parseButton->setEnabled(false);
            htmlButton->setEnabled(false);
            break;
        case Step::Html:
            break;
        case Step::Save:
            saveButton->setEnabled(false);
            break;
    }
}

// Before the statistics: the player ids not used, and a message of the rules not in force.
// HTML stays usable until the kept names are read, so a broken aliases.txt can be mended
// and HTML pressed again.
void MainWindow::reportKeptNames(const KeptNamesRun& kept) {
    mergeNamesWindow->showSharedIds(kept.sharedIds);
    if (!kept.problems.empty()) dialogs().showMessage(problemsText(kept.problems));
    if (!joinNamesBox->isChecked()) htmlButton->setEnabled(false);
}

void MainWindow::afterStep(Step step) {
    switch (step) {
        case Step::Load:
            logTextBox->show();
            parseButton->setEnabled(true);
            break;
        case Step::Parse:
            htmlButton->setEnabled(true);
            break;
        case Step::Html:
            mergeNamesWindow->setRoster(run.counts.roster);
            if (joinNamesBox->isChecked()) {
                mergeNamesWindow->offerRosterForMerging();
            } else {
                saveButton->setEnabled(true);
            }
            break;
        case Step::Save:
            if (run.lastSave == SaveOutcome::Cancelled) saveButton->setEnabled(true);
            break;
    }
}

}  // namespace gravmark
