// The four work steps of the main window: LOAD, PARSE, HTML and SAVE. Each reads the
// controls, calls the core step and sets the controls as the state table says; the work
// itself is the same core code the batch command runs.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "common/dialogs.h"
#include "common/program_folder.h"
#include "common/rotated_copies.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "names/kept_names.h"
#include "report/build_page.h"
#include "report/save_page.h"
#include "stats/run_statistics.h"
#include "ui/main_window.h"
#include "ui/merge_names_window.h"
#include "ui/progress_bar.h"
#include "ui/text_box.h"

namespace gravmark {

// LOAD: the log file into logTextBox, one line per log line with ";" appended.
void MainWindow::load() { loadLogFile(); }

bool MainWindow::loadLogFile() {
    const std::string path = programFolder() + "games_mp.log";
    if (!logFileExists(path)) {
        dialogs().showMessage("File does not exist");
        return false;
    }
    allButton->setEnabled(false);
    // Hidden while it fills, and left hidden when reading fails.
    logTextBox->hide();
    progressBar->model().setPartsComplete(0);
    LineCount = loadLog(logFilesToLoad(path, settings_.history), Memo1Lines, progressBar->model());
    logTextBox->show();
    parseButton->setEnabled(true);
    return true;
}

// PARSE: the lines of logTextBox into join and kill events of db.
void MainWindow::parse() {
    loadButton->setEnabled(false);
    parseButton->setEnabled(false);
    htmlButton->setEnabled(false);
    parseLog(Memo1Lines, db, showDetailsBox->isChecked(), Memo2Lines, progressBar->model(), GameCount,
             &PlayerIds);
    htmlButton->setEnabled(true);
}

// HTML: with "Let me join Names" the roster goes to the merge window; otherwise the
// statistics and the page.
void MainWindow::buildHtml() {
    applyKeptNamesToDb();
    if (joinNamesBox->isChecked()) {
        Counters.removeDuplicates(db, progressBar->model());
        mergeNamesWindow->setRoster(Counters.roster);
        mergeNamesWindow->offerRosterForMerging();
        return;
    }
    htmlButton->setEnabled(false);
    Winners = runStatistics(Counters, db, tempdb, GameCount, progressBar->model());
    mergeNamesWindow->setRoster(Counters.roster);
    const SettingsValues& settings = settings_;
    playerSite.prepare(settings.playerpages, db, Counters, tempdb, Winners);
    const PageInputs inputs{programFolder(), clock(), LineCount, Counters.playedTotal,
                            settings.medals, Winners, tempdb,    playerSite.rowLinks()};
    buildPage(inputs, Memo1Lines, Memo2Lines);
    saveButton->setEnabled(true);
    pageFinished = false;
}

void MainWindow::applyKeptNamesToDb() {
    const KeptNamesRun run = applyKeptNames(db, programFolder(), settings_.mergebyid ? &PlayerIds : nullptr);
    mergeNamesWindow->showSharedIds(run.sharedIds);
    if (!run.problems.empty()) dialogs().showMessage(problemsText(run.problems));
}

// SAVE: the finished page to the default folder or to a file chosen in the save dialog.
void MainWindow::save() {
    saveButton->setEnabled(false);
    const SaveOutcome outcome =
        savePage(Memo1Lines, Memo2Lines, pageFinished, defaultSaveBox->isChecked(), settings_.savepath,
                 versionInfo.productVersion(), playerSite.writer(programFolder()));
    if (outcome == SaveOutcome::Cancelled) saveButton->setEnabled(true);
}

}  // namespace gravmark
