#include "settings/ui/tform3.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/error_guard.h"
#include "app/place_widget.h"
#include "app/right_anchored_label.h"
#include "app/tform1.h"
#include "app/ui_font.h"
#include "app/window_placement.h"
#include "common/dialogs.h"
#include "common/file_names.h"
#include "settings/ini_file.h"
#include "settings/settings_writer.h"
#include "settings/ui/gradient_line.h"

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
    const int room = TForm3::kClientWidth - left;
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

}  // namespace

TForm3::TForm3(TForm1& form1, QWidget* parent) : QWidget(parent), form1_(form1) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("GravmarkParser Setup Defaults"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, 404);
    setFont(uiFont());
    createControls();
    centreOnScreen(*this);
    connect(Button1, &QPushButton::clicked, this, guarded(this, &TForm3::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(this, &TForm3::Button2Click));
    runGuarded([this] { FormCreate(); });
}

void TForm3::createControls() {
    Label4 = label(this, "Label4", "FTP Server information for grabbing LOG file", 26, 8, true);
    Label1 = fieldLabel(this, "Label1", "FTP Server address", 134, 35);
    Edit1 = edit(this, "Edit1", kNotConfigured, 152, 32, 121);
    Label2 = fieldLabel(this, "Label2", "Username", 134, 75);
    Edit2 = edit(this, "Edit2", kNotConfigured, 152, 72, 121);
    Label3 = fieldLabel(this, "Label3", "Password", 134, 94);
    Edit3 = edit(this, "Edit3", kNotConfigured, 152, 91, 121);
    Label5 = fieldLabel(this, "Label5", "Logfile name", 134, 134);
    Edit4 = edit(this, "Edit4", "games_mp.log", 152, 131, 121);
    // The private key of an SFTP login, with the rest of the account.
    KeyFileLabel = fieldLabel(this, "KeyFileLabel", "Key file", 134, 156);
    keyfile = edit(this, "keyfile", kNotConfigured, 152, 153, 121);

    Memo1 = place(new QPlainTextEdit(this), "Memo1", 26, 176, 247, 161);
    QStringList explanation;
    for (const char* line : kExplanation) explanation << QString::fromLatin1(line);
    Memo1->setPlainText(explanation.join(QLatin1Char('\n')));
    Memo1->setReadOnly(true);
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setFont(uiFont(QStringLiteral("Verdana"), 11));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->document()->setDocumentMargin(0);
    QPalette plain = Memo1->palette();
    plain.setColor(QPalette::Base, plain.color(QPalette::Window));
    Memo1->setPalette(plain);

    place(new GradientLine(Qt::Vertical, this), "VerticalSeparator", 296, 8, 9, 329);
    Label6 = label(this, "Label6", "Default savepath", 322, 35);
    Edit5 = edit(this, "Edit5", kNotConfigured, 434, 32, 191);
    Button2 = place(new QPushButton(QStringLiteral("Browse"), this), "Button2", 631, 30, 50, 25);
    place(new GradientLine(Qt::Horizontal, this), "HorizontalSeparator", 322, 72, 359, 9);
    Label7 = label(this, "Label7", "Select Medals to show in Statistics results", 378, 94, true);
    CheckBox1 = checkBox(this, "CheckBox1", "#1 Killer", 336, 133, 97);
    CheckBox2 = checkBox(this, "CheckBox2", "#1 Headshooter", 336, 156, 97);
    CheckBox3 = checkBox(this, "CheckBox3", "#1 Shot in the head", 336, 179, 145);
    CheckBox4 = checkBox(this, "CheckBox4", "#1 Target", 336, 202, 97);
    CheckBox5 = checkBox(this, "CheckBox5", "#1 Killer using TNT (Admiral MOD)", 504, 135, 185);
    CheckBox6 = checkBox(this, "CheckBox6", "#1 Killer using Grenades", 504, 158, 177);
    CheckBox7 = checkBox(this, "CheckBox7", "#1 Suicide Dude", 504, 181, 97);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox6, CheckBox7})
        box->setChecked(true);
    Button1 = place(new QPushButton(QStringLiteral("Save settings"), this), "Button1", 26, 353, 655, 25);
    createFetchControls();

    CheckBox8 = checkBox(this, "CheckBox8", "Merge names by player id", 336, 300, 177);

    chainTabOrder({Edit1, Edit2, Edit3, Edit4, Memo1, Button1, Edit5, Button2, CheckBox1, CheckBox2,
                   CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7});
    chainTabOrder({CheckBox7, CheckBox8, Protocol, passive, history});
    chainTabOrder({Edit4, keyfile, Memo1});
    CheckBox9 = checkBox(this, "CheckBox9", "Player pages", 504, 300, 145);
    setTabOrder(history, CheckBox9);
}

// How the log is fetched and read, below the medals.
void TForm3::createFetchControls() {
    place(new GradientLine(Qt::Horizontal, this), "FetchSeparator", 322, 228, 359, 9);
    ProtocolLabel = label(this, "ProtocolLabel", "Protocol", 336, 247);
    Protocol = place(new QComboBox(this), "Protocol", 434, 243, 121, 21);
    for (const ProtocolChoice& choice : kProtocols) Protocol->addItem(QString::fromLatin1(choice.caption));
    passive = checkBox(this, "passive", "Passive mode", 336, 272, 145);
    passive->setChecked(true);
    // Passive mode is FTP's; SSH has no data connections.
    connect(Protocol, &QComboBox::currentIndexChanged, this,
            [this](int chosen) {
                passive->setEnabled(chosen < 0 || chosen >= std::ssize(kProtocols) ||
                                    std::string_view(kProtocols[chosen].key) != "sftp");
            });
    history = checkBox(this, "history", "Include rotated logs", 504, 272, 177);
}

void TForm3::FormCreate() {
    showValues(readSettings(settingsFileName()));
    if (textOf(Edit1) == kNotConfigured) form1_.getlogfromBrom1->setVisible(false);
    if (textOf(Edit5) == kNotConfigured) form1_.savedef->setEnabled(false);
}

void TForm3::Button1Click() {
    writeSettings(settingsFileName(), values());
    if (textOf(Edit1) != kNotConfigured) form1_.getlogfromBrom1->setVisible(true);
    if (textOf(Edit5) != kNotConfigured) {
        form1_.savedef->setVisible(true);
        form1_.savedef->setEnabled(true);
    }
    hide();
}

QCheckBox* TForm3::medal(size_t index) const {
    QCheckBox* const medals[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7};
    return medals[index];
}

void TForm3::showValues(const SettingsValues& values) {
    Edit1->setText(shown(values.server));
    Edit2->setText(shown(values.user));
    Edit3->setText(shown(values.pass));
    Edit4->setText(shown(values.logfile));
    Edit5->setText(shownFileName(values.savepath));
    for (size_t i = 0; i < values.medals.size(); ++i) medal(i)->setChecked(values.medals[i]);
    CheckBox8->setChecked(values.mergebyid);
    keyfile->setText(shown(values.keyfile));
    Protocol->setCurrentIndex(protocolIndex(values.protocol));
    // A protocol this program does not know stays as written, as an extra entry, so that
    // the fetch refuses it instead of falling back to another (perhaps unencrypted) one.
    if (Protocol->currentIndex() < 0) {
        Protocol->addItem(shown(values.protocol));
        Protocol->setCurrentIndex(Protocol->count() - 1);
    }
    passive->setChecked(values.passive);
    history->setChecked(values.history);
    CheckBox9->setChecked(values.playerpages);
}

SettingsValues TForm3::values() const {
    SettingsValues values;
    values.server = textOf(Edit1);
    values.user = textOf(Edit2);
    values.pass = textOf(Edit3);
    values.logfile = textOf(Edit4);
    values.savepath = fileSystemName(Edit5->text());
    for (size_t i = 0; i < values.medals.size(); ++i) values.medals[i] = medal(i)->isChecked();
    values.mergebyid = CheckBox8->isChecked();
    values.keyfile = textOf(keyfile);
    const int chosen = Protocol->currentIndex();
    values.protocol = chosen < std::ssize(kProtocols) ? kProtocols[chosen].key
                                                      : Protocol->currentText().toLatin1().toStdString();
    values.passive = passive->isChecked();
    values.history = history->isChecked();
    values.playerpages = CheckBox9->isChecked();
    return values;
}

void TForm3::Button2Click() {
    if (const auto folder = dialogs().askFolder("Select folder to save index.html into.")) {
        Edit5->setText(shownFileName(*folder));
    }
}

}  // namespace gravmark
