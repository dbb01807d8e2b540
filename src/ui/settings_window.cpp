#include "ui/settings_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "common/dialogs.h"
#include "common/file_names.h"
#include "settings/ini_file.h"
#include "settings/settings_writer.h"
#include "ui/error_guard.h"
#include "ui/gradient_line.h"
#include "ui/place_widget.h"
#include "ui/right_anchored_label.h"
#include "ui/show_password_button.h"
#include "ui/ui_font.h"
#include "ui/window_placement.h"

namespace gravmark {

namespace {

// A label that takes the width of its text, from its left edge.
QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top, bool bold = false) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    if (bold) label->setFont(uiFont(11, true));
    label->move(left, top);
    label->adjustSize();
    return label;
}

// A label before a text box: its right edge stays at the given column.
QLabel* fieldLabel(QWidget* parent, const char* name, const char* caption, int right, int top) {
    auto* label = new RightAnchoredLabel(right, top, 13, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setText(QString::fromLatin1(caption));
    return label;
}

QLineEdit* edit(QWidget* parent, const char* name, const char* text, int left, int top, int width) {
    return place(new QLineEdit(QString::fromLatin1(text), parent), name, left, top, width, 21);
}

// A check box at least as wide as its caption, where the window leaves room: without
// Tahoma the fallback font is wider than the design.
QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, int left, int top, int width) {
    auto* box = place(new QCheckBox(QString::fromLatin1(caption), parent), name, left, top, width, 17);
    const int room = SettingsWindow::kClientWidth - left;
    box->resize(std::min(std::max(width, box->sizeHint().width()), room), 17);
    return box;
}

constexpr const char* kExplanation[] = {
    "If using this option, make sure that the ",
    "required log file is in the folder you enter ",
    "when you connect to the FTP server.",
    "----",
    "The log file will be downloaded appended. ",
    "This means that when you connect for the ",
    "first time, it will download the complete ",
    "logfile (this can take some time). When ",
    "you have connected before it will only ",
    "download the additional games played, ",
    "not the complete logfile",
    "This saves bandwidth and time.",
};

std::string textOf(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

QString shown(const std::string& text) { return QString::fromLatin1(text); }

// The entry of the "Protocol" choice for a value of the settings file, -1 for a value
// this program does not know.
int protocolIndex(const std::string& protocol) {
    for (int i = 0; i < std::ssize(kProtocols); ++i) {
        if (protocol == kProtocols[i].key) return i;
    }
    return -1;
}

// A choice whose entries are the settings file's own values.
template <size_t N>
QComboBox* valueChoice(QWidget* parent, const char* name, const std::array<const char*, N>& entries, int left,
                       int width) {
    QComboBox* choice = place(new QComboBox(parent), name, left, 325, width, 21);
    for (const char* entry : entries) choice->addItem(QString::fromLatin1(entry));
    return choice;
}

// A value this program does not know stays as written, as an extra entry.
void choose(QComboBox* choice, const std::string& value) {
    const int index = choice->findText(shown(value));
    if (index >= 0) return choice->setCurrentIndex(index);
    choice->addItem(shown(value));
    choice->setCurrentIndex(choice->count() - 1);
}

}  // namespace

SettingsWindow::SettingsWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("GravmarkParser Setup Defaults"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, 404);
    setFont(uiFont());
    createControls();
    centreOnScreen(*this);
    connect(saveButton, &QPushButton::clicked, this, guarded(this, &SettingsWindow::saveSettings));
    connect(browseButton, &QPushButton::clicked, this, guarded(this, &SettingsWindow::browseSaveFolder));
    announceEveryEdit();
}

void SettingsWindow::announceEveryEdit() {
    const auto announce = [this] {
        if (!showingValues_) emit valuesChanged(values());
    };
    for (QLineEdit* edit : findChildren<QLineEdit*>()) connect(edit, &QLineEdit::textChanged, this, announce);
    for (QCheckBox* box : findChildren<QCheckBox*>()) connect(box, &QCheckBox::toggled, this, announce);
    for (QComboBox* choice : findChildren<QComboBox*>())
        connect(choice, &QComboBox::currentIndexChanged, this, announce);
}

void SettingsWindow::createControls() {
    accountHeading = label(this, "Label4", "FTP Server information for grabbing LOG file", 26, 8, true);
    serverLabel = fieldLabel(this, "Label1", "FTP Server address", 134, 35);
    serverEdit = edit(this, "Edit1", kNotConfigured, 152, 32, 121);
    userLabel = fieldLabel(this, "Label2", "Username", 134, 75);
    userEdit = edit(this, "Edit2", kNotConfigured, 152, 72, 121);
    passwordLabel = fieldLabel(this, "Label3", "Password", 134, 94);
    passwordEdit = edit(this, "Edit3", kNotConfigured, 152, 91, 121);
    showPasswordButton = addShowPasswordButton(passwordEdit, "ShowPassword");
    logFileLabel = fieldLabel(this, "Label5", "Logfile name", 134, 134);
    logFileEdit = edit(this, "Edit4", "games_mp.log", 152, 131, 121);
    // The private key of an SFTP login, with the rest of the account.
    keyFileLabel = fieldLabel(this, "KeyFileLabel", "Key file", 134, 156);
    keyFileEdit = edit(this, "keyfile", kNotConfigured, 152, 153, 121);

    explanationText = place(new QPlainTextEdit(this), "Memo1", 26, 176, 247, 161);
    QStringList explanation;
    for (const char* line : kExplanation) explanation << QString::fromLatin1(line);
    explanationText->setPlainText(explanation.join(QLatin1Char('\n')));
    explanationText->setReadOnly(true);
    explanationText->setFrameStyle(QFrame::NoFrame);
    explanationText->setFont(uiFont(QStringLiteral("Verdana"), 11));
    explanationText->setLineWrapMode(QPlainTextEdit::NoWrap);
    explanationText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    explanationText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    explanationText->document()->setDocumentMargin(0);
    QPalette plain = explanationText->palette();
    plain.setColor(QPalette::Base, plain.color(QPalette::Window));
    explanationText->setPalette(plain);

    place(new GradientLine(Qt::Vertical, this), "VerticalSeparator", 296, 8, 9, 329);
    saveFolderLabel = label(this, "Label6", "Default savepath", 322, 35);
    saveFolderEdit = edit(this, "Edit5", kNotConfigured, 434, 32, 191);
    browseButton = place(new QPushButton(QStringLiteral("Browse"), this), "Button2", 631, 30, 50, 25);
    place(new GradientLine(Qt::Horizontal, this), "HorizontalSeparator", 322, 72, 359, 9);
    medalsHeading = label(this, "Label7", "Select Medals to show in Statistics results", 378, 94, true);
    killerMedalBox = checkBox(this, "CheckBox1", "#1 Killer", 336, 133, 97);
    headshooterMedalBox = checkBox(this, "CheckBox2", "#1 Headshooter", 336, 156, 97);
    shotInTheHeadMedalBox = checkBox(this, "CheckBox3", "#1 Shot in the head", 336, 179, 145);
    targetMedalBox = checkBox(this, "CheckBox4", "#1 Target", 336, 202, 97);
    tntKillerMedalBox = checkBox(this, "CheckBox5", "#1 Killer using TNT (Admiral MOD)", 504, 135, 185);
    grenadeKillerMedalBox = checkBox(this, "CheckBox6", "#1 Killer using Grenades", 504, 158, 177);
    suicideMedalBox = checkBox(this, "CheckBox7", "#1 Suicide Dude", 504, 181, 97);
    for (QCheckBox* box : {killerMedalBox, headshooterMedalBox, shotInTheHeadMedalBox, targetMedalBox,
                           grenadeKillerMedalBox, suicideMedalBox})
        box->setChecked(true);
    saveButton = place(new QPushButton(QStringLiteral("Save settings"), this), "Button1", 26, 353, 655, 25);
    createFetchControls();

    mergeByIdBox = checkBox(this, "CheckBox8", "Merge names by player id", 336, 300, 177);

    chainTabOrder({serverEdit, userEdit, passwordEdit, showPasswordButton, logFileEdit, explanationText,
                   saveButton, saveFolderEdit, browseButton, killerMedalBox, headshooterMedalBox,
                   shotInTheHeadMedalBox, targetMedalBox, tntKillerMedalBox, grenadeKillerMedalBox,
                   suicideMedalBox});
    chainTabOrder({suicideMedalBox, mergeByIdBox, protocolChoice, passiveModeBox, rotatedLogsBox});
    chainTabOrder({logFileEdit, keyFileEdit, explanationText});
    playerPagesBox = checkBox(this, "CheckBox9", "Player pages", 504, 300, 96);
    setTabOrder(rotatedLogsBox, playerPagesBox);
    ratingsBox = checkBox(this, "CheckBox10", "Ratings", 606, 300, 75);
    createPageStyleControls();
}

// What the saved pages look like and which files go with them, in the last row.
void SettingsWindow::createPageStyleControls() {
    pageStyleLabel = label(this, "PageStyleLabel", "Style", 336, 328);
    pageStyleChoice = valueChoice(this, SettingsKey::kSiteStyle, kSiteStyles, 368, 68);
    codePageLabel = label(this, "CodePageLabel", "Code page", 442, 328);
    codePageChoice = valueChoice(this, SettingsKey::kLogCodePage, kLogCodePages, 498, 116);
    exportBox = checkBox(this, "export", "Export", 622, 327, 59);
    chainTabOrder({playerPagesBox, ratingsBox, pageStyleChoice, codePageChoice, exportBox});
}

// How the log is fetched and read, below the medals.
void SettingsWindow::createFetchControls() {
    place(new GradientLine(Qt::Horizontal, this), "FetchSeparator", 322, 228, 359, 9);
    protocolLabel = label(this, "ProtocolLabel", "Protocol", 336, 247);
    protocolChoice = place(new QComboBox(this), "Protocol", 434, 243, 121, 21);
    for (const ProtocolChoice& choice : kProtocols)
        protocolChoice->addItem(QString::fromLatin1(choice.caption));
    passiveModeBox = checkBox(this, "passive", "Passive mode", 336, 272, 145);
    passiveModeBox->setChecked(true);
    // Passive mode is FTP's; SSH has no data connections.
    connect(protocolChoice, &QComboBox::currentIndexChanged, this, [this](int chosen) {
        passiveModeBox->setEnabled(chosen < 0 || chosen >= std::ssize(kProtocols) ||
                                   std::string_view(kProtocols[chosen].key) != "sftp");
    });
    rotatedLogsBox = checkBox(this, "history", "Include rotated logs", 504, 272, 177);
}

void SettingsWindow::readSettingsFile() {
    showingValues_ = true;
    showValues(readSettings(settingsFileName()));
    showingValues_ = false;
    const SettingsValues read = values();
    emit valuesChanged(read);
    emit valuesInFile(read);
}

void SettingsWindow::saveSettings() {
    const SettingsValues saved = values();
    writeSettings(settingsFileName(), saved);
    emit valuesInFile(saved);
    hide();
}

QCheckBox* SettingsWindow::medal(size_t index) const {
    QCheckBox* const medals[] = {killerMedalBox, headshooterMedalBox, shotInTheHeadMedalBox,
                                 targetMedalBox, tntKillerMedalBox,   grenadeKillerMedalBox,
                                 suicideMedalBox};
    return medals[index];
}

void SettingsWindow::showValues(const SettingsValues& values) {
    serverEdit->setText(shown(values.server));
    userEdit->setText(shown(values.user));
    passwordEdit->setText(shown(values.password));
    logFileEdit->setText(shown(values.logFile));
    saveFolderEdit->setText(shownFileName(values.savePath));
    for (size_t i = 0; i < values.medals.size(); ++i) medal(i)->setChecked(values.medals[i]);
    mergeByIdBox->setChecked(values.mergeById);
    keyFileEdit->setText(shown(values.keyFile));
    protocolChoice->setCurrentIndex(protocolIndex(values.protocol));
    // A protocol this program does not know stays as written, as an extra entry, so that
    // the fetch refuses it instead of falling back to another (perhaps unencrypted) one.
    if (protocolChoice->currentIndex() < 0) {
        protocolChoice->addItem(shown(values.protocol));
        protocolChoice->setCurrentIndex(protocolChoice->count() - 1);
    }
    passiveModeBox->setChecked(values.passive);
    rotatedLogsBox->setChecked(values.history);
    playerPagesBox->setChecked(values.playerPages);
    ratingsBox->setChecked(values.ratings);
    choose(pageStyleChoice, values.siteStyle);
    choose(codePageChoice, values.logCodePage);
    exportBox->setChecked(values.exportData);
}

SettingsValues SettingsWindow::values() const {
    SettingsValues values;
    values.server = textOf(serverEdit);
    values.user = textOf(userEdit);
    values.password = textOf(passwordEdit);
    values.logFile = textOf(logFileEdit);
    values.savePath = fileSystemName(saveFolderEdit->text());
    for (size_t i = 0; i < values.medals.size(); ++i) values.medals[i] = medal(i)->isChecked();
    values.mergeById = mergeByIdBox->isChecked();
    values.keyFile = textOf(keyFileEdit);
    const int chosen = protocolChoice->currentIndex();
    values.protocol = chosen < std::ssize(kProtocols)
                          ? kProtocols[chosen].key
                          : protocolChoice->currentText().toLatin1().toStdString();
    values.passive = passiveModeBox->isChecked();
    values.history = rotatedLogsBox->isChecked();
    values.playerPages = playerPagesBox->isChecked();
    values.ratings = ratingsBox->isChecked();
    values.siteStyle = pageStyleChoice->currentText().toLatin1().toStdString();
    values.logCodePage = codePageChoice->currentText().toLatin1().toStdString();
    values.exportData = exportBox->isChecked();
    return values;
}

void SettingsWindow::browseSaveFolder() {
    if (const auto folder = dialogs().askFolder("Select folder to save index.html into.")) {
        saveFolderEdit->setText(shownFileName(*folder));
    }
}

}  // namespace gravmark
