#pragma once
// The settings window: the FTP account, the log file name, how the log is fetched, the
// default save folder, the medals to show, the key file of an SFTP login and whether LOAD
// reads the rotated copies of the log. Its values live in the settings file
// "GravmarkParser.INI". The window tells whoever listens what its controls show through
// valuesChanged, on every edit, so that the values take effect at once, saved or not;
// valuesInFile says what the file holds once it is read and each time it is saved.
//
// The widgets are the window's own and keep their old object names (`Form3`, `Edit1` ...
// `Edit5`, `CheckBox1` ... `CheckBox9`, `keyfile`, `Protocol`, ...): scripts, tests and
// accessibility tools find the controls by them; the button beside the password box is
// `ShowPassword`.
#include <QWidget>

#include "settings/settings_values.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace gravmark {

class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 697;

    explicit SettingsWindow(QWidget* parent = nullptr);

    // Shows the settings file's values in the controls, then sends them through both
    // signals. The program's windows call it once, when the receivers are connected.
    void readSettingsFile();
    void saveSettings();      // "Save settings"
    void browseSaveFolder();  // "Browse"

    // The settings as the controls show them now, saved or not.
    SettingsValues values() const;

signals:
    // The values the controls show, after every edit and after the file is read.
    void valuesChanged(const SettingsValues& values);
    // The values the settings file holds: after it is read, and after each save.
    void valuesInFile(const SettingsValues& values);

private:
    // Controls; tests and tools find them by their object names.
    QLabel* accountHeading = nullptr;           // Label4
    QLabel* serverLabel = nullptr;              // Label1
    QLineEdit* serverEdit = nullptr;            // Edit1
    QLabel* userLabel = nullptr;                // Label2
    QLineEdit* userEdit = nullptr;              // Edit2
    QLabel* passwordLabel = nullptr;            // Label3
    QLineEdit* passwordEdit = nullptr;          // Edit3, echoes dots
    QToolButton* showPasswordButton = nullptr;  // ShowPassword: down, Edit3 shows the password
    QLabel* logFileLabel = nullptr;             // Label5
    QLineEdit* logFileEdit = nullptr;           // Edit4
    QPlainTextEdit* explanationText = nullptr;  // Memo1
    QLabel* saveFolderLabel = nullptr;          // Label6
    QLineEdit* saveFolderEdit = nullptr;        // Edit5
    QPushButton* browseButton = nullptr;        // Button2, "Browse"
    QLabel* medalsHeading = nullptr;            // Label7
    QCheckBox* killerMedalBox = nullptr;        // CheckBox1 ... CheckBox7: the medals, in the
    QCheckBox* headshooterMedalBox = nullptr;   // order of the settings' medal list
    QCheckBox* shotInTheHeadMedalBox = nullptr;
    QCheckBox* targetMedalBox = nullptr;
    QCheckBox* tntKillerMedalBox = nullptr;
    QCheckBox* grenadeKillerMedalBox = nullptr;
    QCheckBox* suicideMedalBox = nullptr;
    QPushButton* saveButton = nullptr;     // Button1, "Save settings"
    QCheckBox* mergeByIdBox = nullptr;     // CheckBox8, "Merge names by player id"
    QLabel* keyFileLabel = nullptr;        // KeyFileLabel
    QLineEdit* keyFileEdit = nullptr;      // keyfile
    QLabel* protocolLabel = nullptr;       // ProtocolLabel
    QComboBox* protocolChoice = nullptr;   // Protocol: kProtocols, in their order
    QCheckBox* passiveModeBox = nullptr;   // passive
    QCheckBox* rotatedLogsBox = nullptr;   // history, "Include rotated logs"
    QCheckBox* playerPagesBox = nullptr;   // CheckBox9, "Player pages"
    QCheckBox* ratingsBox = nullptr;       // CheckBox10, "Ratings"
    QLabel* pageStyleLabel = nullptr;      // PageStyleLabel
    QComboBox* pageStyleChoice = nullptr;  // sitestyle: kSiteStyles
    QLabel* codePageLabel = nullptr;       // CodePageLabel
    QComboBox* codePageChoice = nullptr;   // logcodepage: kLogCodePages
    QCheckBox* exportBox = nullptr;        // export, "Export"

    void createControls();
    void createPageStyleControls();
    void announceEveryEdit();
    void createFetchControls();
    QCheckBox* medal(size_t index) const;  // killerMedalBox to suicideMedalBox
    void showValues(const SettingsValues& values);

    // While the file's values fill the controls, their edits are not announced one by one.
    bool showingValues_ = false;
};

}  // namespace gravmark
