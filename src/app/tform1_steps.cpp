// The four work steps of the main window: LOAD, PARSE, HTML and SAVE. Each reads the
// controls, calls the core step and sets the controls as the state table says; the work
// itself is the same core code the batch command runs.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/progress_bar.h"
#include "app/text_box.h"
#include "app/tform1.h"
#include "common/dialogs.h"
#include "common/program_folder.h"
#include "common/rotated_copies.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "merge/ui/tform2.h"
#include "names/kept_names.h"
#include "report/build_page.h"
#include "report/save_page.h"
#include "settings/ui/tform3.h"
#include "stats/run_statistics.h"

namespace gravmark {

// LOAD: the log file into Memo1, one line per log line with ";" appended.
void TForm1::Button1Click() { loadLogFile(); }

bool TForm1::loadLogFile() {
    const std::string path = programFolder() + "games_mp.log";
    if (!logFileExists(path)) {
        dialogs().showMessage("File does not exist");
        return false;
    }
    Button5->setEnabled(false);
    // Hidden while it fills, and left hidden when reading fails.
    Memo1->hide();
    Progress->model().setPartsComplete(0);
    LineCount = loadLog(logFilesToLoad(path, Form3->values().history), Memo1Lines, Progress->model());
    Memo1->show();
    Button2->setEnabled(true);
    return true;
}

// PARSE: the lines of Memo1 into join and kill events of db.
void TForm1::Button2Click() {
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    Button3->setEnabled(false);
    parseLog(Memo1Lines, db, CheckBox1->isChecked(), Memo2Lines, Progress->model(), GameCount, &PlayerIds);
    Button3->setEnabled(true);
}

// HTML: with "Let me join Names" the roster goes to the merge window; otherwise the
// statistics and the page.
void TForm1::Button3Click() {
    applyKeptNamesToDb();
    if (CheckBox2->isChecked()) {
        Counters.Removeduplicates(db, Progress->model());
        Form2->setRoster(Counters.roster);
        Form2->offerRosterForMerging();
        return;
    }
    Button3->setEnabled(false);
    Winners = runStatistics(Counters, db, tempdb, GameCount, Progress->model());
    Form2->setRoster(Counters.roster);
    const SettingsValues settings = Form3->values();
    playerSite.prepare(settings.playerpages, db, Counters, tempdb, Winners);
    const PageInputs inputs{programFolder(), clock(), LineCount, Counters.PlayedTotal,
                            settings.medals, Winners, tempdb,    playerSite.rowLinks()};
    buildPage(inputs, Memo1Lines, Memo2Lines);
    Button4->setEnabled(true);
    pageFinished = false;
}

void TForm1::applyKeptNamesToDb() {
    const KeptNamesRun run =
        applyKeptNames(db, programFolder(), Form3->values().mergebyid ? &PlayerIds : nullptr);
    Form2->showSharedIds(run.sharedIds);
    if (!run.problems.empty()) dialogs().showMessage(problemsText(run.problems));
}

// SAVE: the finished page to the default folder or to a file chosen in the save dialog.
void TForm1::Button4Click() {
    Button4->setEnabled(false);
    const SaveOutcome outcome = savePage(Memo1Lines, Memo2Lines, pageFinished, savedef->isChecked(),
                                         Form3->values().savepath, versinfo.productVersion(),
                                         playerSite.writer(programFolder()));
    if (outcome == SaveOutcome::Cancelled) Button4->setEnabled(true);
}

}  // namespace gravmark
