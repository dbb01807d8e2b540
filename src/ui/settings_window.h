#pragma once
// The settings window: the FTP account, the log file name, how the log is fetched, the
// default save folder, the medals to show, the key file of an SFTP login and whether LOAD
// reads the rotated copies of the log. Its values live in the settings file
// "GravmarkParser.INI"; the other steps read the controls directly, saved or not.
// Creating it reads the settings file and sets the main window's menu entry
// "get log ftp server" and check box `savedef` from it.
//
// The widgets keep their old object names (`Form3`, `Edit1` ... `Edit5`, `CheckBox1` ...
// `CheckBox9`, `keyfile`, `Protocol`, ...): scripts, tests and accessibility tools find
// the controls by them.
#include <QWidget>

#include "settings/settings_values.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace gravmark {

class MainWindow;

class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 697;

    explicit SettingsWindow(MainWindow& mainWindow, QWidget* parent = nullptr);

    void readSettingsFile();
    void saveSettings();      // "Save settings"
    void browseSaveFolder();  // "Browse"

    // The settings as the controls show them now, saved or not: the other steps read these.
    SettingsValues values() const;

    QLabel* accountHeading = nullptr;           // Label4
    QLabel* serverLabel = nullptr;              // Label1
    QLineEdit* serverEdit = nullptr;            // Edit1
    QLabel* userLabel = nullptr;                // Label2
    QLineEdit* userEdit = nullptr;              // Edit2
    QLabel* passwordLabel = nullptr;            // Label3
    QLineEdit* passwordEdit = nullptr;          // Edit3
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
    QPushButton* saveButton = nullptr;    // Button1, "Save settings"
    QCheckBox* mergeByIdBox = nullptr;    // CheckBox8, "Merge names by player id"
    QLabel* keyFileLabel = nullptr;       // KeyFileLabel
    QLineEdit* keyFileEdit = nullptr;     // keyfile
    QLabel* protocolLabel = nullptr;      // ProtocolLabel
    QComboBox* protocolChoice = nullptr;  // Protocol: kProtocols, in their order
    QCheckBox* passiveModeBox = nullptr;  // passive
    QCheckBox* rotatedLogsBox = nullptr;  // history, "Include rotated logs"
    QCheckBox* playerPagesBox = nullptr;  // CheckBox9, "Player pages"

private:
    void createControls();
    void createFetchControls();
    QCheckBox* medal(size_t index) const;  // killerMedalBox to suicideMedalBox
    void showValues(const SettingsValues& values);

    MainWindow& mainWindow_;
};

}  // namespace gravmark
