#pragma once
// TForm3, the settings window (Form3): the FTP account, the log file name, how the log is
// fetched, the default save folder, the medals to show, the key file of an SFTP login and
// whether LOAD reads the rotated copies of the log. Its values live in the settings file
// "GravmarkParser.INI"; the other steps read the controls directly, saved or not.
// Creating it reads the settings file and sets the main window's menu entry
// "get log ftp server" and check box `savedef` from it.
#include <QWidget>

#include "settings/settings_values.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace gravmark {

class TForm1;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 697;

    explicit TForm3(TForm1& form1, QWidget* parent = nullptr);

    void FormCreate();
    void Button1Click();
    void Button2Click();

    // The settings as the controls show them now, saved or not: the other steps read these.
    SettingsValues values() const;

    QLabel* Label4 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label7 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QPushButton* Button1 = nullptr;
    QCheckBox* CheckBox8 = nullptr;  // "Merge names by player id"
    QLabel* KeyFileLabel = nullptr;
    QLineEdit* keyfile = nullptr;
    QLabel* ProtocolLabel = nullptr;
    QComboBox* Protocol = nullptr;  // kProtocols, in their order
    QCheckBox* passive = nullptr;
    QCheckBox* history = nullptr;
    QCheckBox* CheckBox9 = nullptr;  // "Player pages"

private:
    void createControls();
    void createFetchControls();
    QCheckBox* medal(size_t index) const;  // CheckBox1 to CheckBox7
    void showValues(const SettingsValues& values);

    TForm1& form1_;
};

}  // namespace gravmark
