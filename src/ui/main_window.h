#pragma once
// The main window: the work buttons LOAD, PARSE, HTML, SAVE and ALL, the two text boxes,
// the progress bar, the check boxes and the popup menu. It owns the run that the steps
// fill: the event table, the player table and the per-player counts.
//
// Every widget carries the object name it has always had (`Form1`, `Button1`, `Memo1`,
// `savedef`, ...): scripts, tests and accessibility tools find the controls by them, so
// they stay although the members are named for their job.
//
// Every handler that the window system calls runs through the application's error
// handler (runGuarded): an error ends the handler, is shown, and the window goes on.
#include <QDateTime>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "common/version_info.h"
#include "fetch/fetch_notifications.h"
#include "fetch/fetch_time_limits.h"
#include "pipeline/page_run.h"
#include "settings/settings_values.h"

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;

namespace gravmark {

class MergeNamesWindow;
class ProgressBar;
class RightAnchoredLabel;
class SettingsWindow;
class TextBox;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the window and prepares the work tables. The version record is the one the
    // program carries unless another is given.
    explicit MainWindow(VersionInfo versionInfo = VersionInfo(), QWidget* parent = nullptr);
    // At the end of the program the player table is closed, which writes "temp.xml".
    ~MainWindow() override;

    // The merge and settings windows, created after this one.
    void setWindows(MergeNamesWindow* mergeNamesWindow, SettingsWindow* settingsWindow);

    void load();       // LOAD
    void parse();      // PARSE
    void buildHtml();  // HTML
    void save();       // SAVE
    void runAll();     // ALL: LOAD, PARSE, HTML and SAVE in turn
    void onJoinNamesToggled();
    void showDb();              // "show db"
    void showSettings();        // "Setup FTP Server"
    void fetchLogFromServer();  // "get log ftp server"

    // The settings as the settings window shows them now, saved or not: the steps use these.
    void useSettings(const SettingsValues& values);
    const SettingsValues& settings() const { return settings_; }
    // The settings the settings file holds (read at start, or just saved): a server there
    // shows "get log ftp server", a save folder enables `savedef`. Neither is taken back
    // before the next start.
    void offerConfiguredFeatures(const SettingsValues& values);

    // The run the work steps share with the batch: the text boxes' lines (logLines is
    // Memo1, detailLines Memo2), the event table, the player table, the counts and the
    // medal winners.
    PageRun run;
    const VersionInfo versionInfo;
    int32_t remoteLogSize = 0;
    // The local time printed as "Updated @" (tests fix it).
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // The notifications of "get log ftp server" (main_window_fetch.cpp) and its time limits.
    FetchNotifications fetchNotifications;
    FetchTimeLimits fetchLimits;

signals:
    // The window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // "get log ftp server" locks and gives back the work controls.
    friend class FtpControlLock;

    // Controls; tests and tools find them by their object names.
    ProgressBar* progressBar = nullptr;        // Progress
    RightAnchoredLabel* titleLabel = nullptr;  // Label1
    QPushButton* loadButton = nullptr;         // Button1
    TextBox* logTextBox = nullptr;             // Memo1: the log, then the page
    QPushButton* parseButton = nullptr;        // Button2
    TextBox* detailsTextBox = nullptr;         // Memo2: PARSE's details, then the page's footer
    QPushButton* htmlButton = nullptr;         // Button3
    QPushButton* saveButton = nullptr;         // Button4
    QCheckBox* showDetailsBox = nullptr;       // CheckBox1, "Show details (takes longer)"
    QCheckBox* defaultSaveBox = nullptr;       // savedef, "Default Save (Thornvale Clan)"
    QPushButton* allButton = nullptr;          // Button5
    QCheckBox* joinNamesBox = nullptr;         // CheckBox2, "Let me join Names"
    QMenu* popupMenu = nullptr;                // PopupMenu1
    QAction* showDbAction = nullptr;           // showdb1, "show db"
    QAction* fetchLogAction = nullptr;         // getlogfromBrom1, "get log ftp server"
    QAction* setupFtpServerAction = nullptr;   // SetupFTPServer1, "Setup FTP Server"

    // The merge and settings windows (setWindows); this window shows them and hands the
    // merge window the roster.
    MergeNamesWindow* mergeNamesWindow = nullptr;
    SettingsWindow* settingsWindow = nullptr;

    void prepareForFirstRun();
    // The steps of a button (main_window_steps.cpp); false after "File does not exist".
    // A close asked for meanwhile is done when they end, however they end.
    bool runButtonSteps(std::initializer_list<Step> steps);
    void beforeStep(Step step);
    void afterStep(Step step);
    void reportKeptNames(const KeptNamesRun& kept);
    void createControls();  // main_window_controls.cpp
    void createPopupMenu();
    void setHints();
    void bindHandlers();
    void onFetchConnected();
    void onFetchBegins(int64_t remoteSize);
    void onFetchProgress(int64_t receivedSoFar);
    void onFetchEnds();

    SettingsValues settings_;
    // A close asked for while the steps run waits for the step that is running: no step is
    // left half done, and none begins after it.
    bool stepsRunning_ = false;
    bool closeAfterStep_ = false;
    // Marks the steps as running while it lives; at its end, a waiting close is done.
    class StepsRunning {
    public:
        explicit StepsRunning(MainWindow& window);
        ~StepsRunning();
        StepsRunning(const StepsRunning&) = delete;
        StepsRunning& operator=(const StepsRunning&) = delete;

    private:
        MainWindow& window_;
    };
};

}  // namespace gravmark
