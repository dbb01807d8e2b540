#pragma once
// TForm1, the main window (Form1): the work buttons LOAD, PARSE, HTML, SAVE and ALL, the
// two text boxes, the progress bar, the check boxes and the popup menu. It owns the event
// table `db`, the player table `tempdb` and the per-player counters that the steps fill.
//
// Every handler that the window system calls runs through the application's error
// handler (runGuarded): an error ends the handler, is shown, and the window goes on.
#include <QDateTime>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "common/text_box_lines.h"
#include "common/version_info.h"
#include "fetch/fetch_notifications.h"
#include "fetch/fetch_time_limits.h"
#include "ingest/player_id_counts.h"
#include "site/player_site.h"
#include "stats/medal_winners.h"
#include "stats/statistics.h"
#include "table/record_table.h"

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;

namespace gravmark {

class ProgressBar;
class RightAnchoredLabel;
class TextBox;
class TForm2;
class TForm3;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Builds the window and runs FormCreate. The version record is the one the program
    // carries unless another is given.
    explicit TForm1(VersionInfo versionInfo = VersionInfo(), QWidget* parent = nullptr);
    // At the end of the program the player table is closed, which writes "temp.xml".
    ~TForm1() override;

    // The merge and settings windows, created after this one.
    void setWindows(TForm2* form2, TForm3* form3);

    void FormCreate();
    void FormClose();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void CheckBox2Click();
    void showdb1Click();
    void SetupFTPServer1Click();
    void getlogfromBrom1Click();

    // Controls.
    ProgressBar* Progress = nullptr;
    RightAnchoredLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    TextBox* Memo1 = nullptr;
    QPushButton* Button2 = nullptr;
    TextBox* Memo2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* savedef = nullptr;
    QPushButton* Button5 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* showdb1 = nullptr;
    QAction* getlogfromBrom1 = nullptr;
    QAction* SetupFTPServer1 = nullptr;

    // The lines of Memo1 and Memo2.
    TextBoxLines Memo1Lines;
    TextBoxLines Memo2Lines;

    RecordTable db;
    RecordTable tempdb;
    const VersionInfo versinfo;

    // The roster and the per-player counters (KillCounts ... SuicideCounts, PlayedTotal),
    // by roster index; they grow with the roster.
    Statistics Counters;
    MedalWinners Winners;
    int32_t GameCount = 0;
    // The events of each player id and name, counted by PARSE for merging names by id.
    PlayerIdCounts PlayerIds;
    int32_t LineCount = 0;
    int32_t RemoteLogSize = 0;
    // Whether SAVE has put the credit line and the footer on the page HTML built.
    bool pageFinished = false;
    // The player pages of the page HTML built, when the setting asked for them.
    PlayerSite playerSite;
    // The local time printed as "Updated @" (tests fix it).
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // The notifications of "get log ftp server" (tform1_ftp.cpp) and its time limits.
    FetchNotifications IdFTP1;
    FetchTimeLimits fetchLimits;
    void IdFTP1Connected();
    void IdFTP1WorkBegin(int64_t remoteSize);
    void IdFTP1Work(int64_t receivedSoFar);
    void IdFTP1WorkEnd();

    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;

signals:
    // The window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The kept names (and, when set, the player ids) rename the events before HTML uses them.
    void applyKeptNamesToDb();
    void createControls();  // tform1_controls.cpp
    bool loadLogFile();     // LOAD's work; false after "File does not exist" (tform1_steps.cpp)
    void createPopupMenu();
    void setHints();
    void bindHandlers();
};

}  // namespace gravmark
