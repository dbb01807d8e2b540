#pragma once
// TForm1, the main window (Form1): the work buttons LOAD, PARSE, HTML, SAVE and ALL, the
// two text boxes, the progress bar, the check boxes and the popup menu. It owns the event
// table `db`, the player table `tempdb` and the per-player counters that the steps fill.
//
// Every handler that the window system calls runs through the application's error
// handler (runGuarded): an error ends the handler, is shown, and the window goes on.
#include <QWidget>
#include <cstdint>
#include <vector>

#include "common/text_box_lines.h"
#include "common/version_info.h"
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
    static constexpr int kRosterSlots = 51;

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

    // Per-player counters, by roster index.
    std::vector<int32_t> KillCounts = std::vector<int32_t>(kRosterSlots);
    std::vector<int32_t> DeathCounts = std::vector<int32_t>(kRosterSlots);
    std::vector<int32_t> HeadshotsGiven = std::vector<int32_t>(kRosterSlots);
    std::vector<int32_t> HeadshotsTaken = std::vector<int32_t>(kRosterSlots);
    std::vector<int32_t> TntKills = std::vector<int32_t>(kRosterSlots);
    std::vector<int32_t> GrenadeKills = std::vector<int32_t>(kRosterSlots);
    std::vector<int32_t> SuicideCounts = std::vector<int32_t>(kRosterSlots);
    int32_t GameCount = 0;
    int32_t LineCount = 0;
    int32_t PlayedTotal = 0;
    int32_t RemoteLogSize = 0;

    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;

signals:
    // The window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void createControls();  // tform1_controls.cpp
    void createPopupMenu();
    void setHints();
    void bindHandlers();
};

}  // namespace gravmark
