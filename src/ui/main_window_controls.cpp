// The controls of the main window: places, captions, fonts, hints, tab order and menu.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>

#include "ui/background_picture.h"
#include "ui/main_window.h"
#include "ui/place_widget.h"
#include "ui/progress_bar.h"
#include "ui/right_anchored_label.h"
#include "ui/text_box.h"
#include "ui/ui_font.h"

namespace gravmark {

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
                    int height) {
    return place(new QPushButton(QString::fromLatin1(caption), parent), name, left, top, width, height);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, int top) {
    return place(new QCheckBox(QString::fromLatin1(caption), parent), name, 8, top, 193, 17);
}

TextBox* textBox(TextBoxLines& lines, QWidget* parent, const char* name, int top, int height) {
    auto* box = place(new TextBox(lines, parent), name, 8, top, 713, height);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

QString lines(std::initializer_list<const char*> parts) {
    QStringList joined;
    for (const char* part : parts) joined << QString::fromLatin1(part);
    return joined.join(QLatin1Char('\n'));
}

}  // namespace

void MainWindow::createControls() {
    place(new BackgroundPicture(this), "Background", 0, 0, 731, 557);
    progressBar = place(new ProgressBar(this), "Progress", 8, 523, 713, 24);

    titleLabel = new RightAnchoredLabel(721, 54, 19, this);
    titleLabel->setObjectName(QStringLiteral("Label1"));
    titleLabel->setFont(uiFont(16, true));
    QPalette blue = titleLabel->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    titleLabel->setPalette(blue);
    titleLabel->setText(QStringLiteral("Thornvale Clan - GRAVMARKPARSER"));

    loadButton = button(this, "Button1", "LOAD", 403, 8, 75, 40);
    logTextBox = textBox(run.logLines, this, "Memo1", 77, 220);
    parseButton = button(this, "Button2", "PARSE", 484, 8, 75, 40);
    detailsTextBox = textBox(run.detailLines, this, "Memo2", 312, 193);
    htmlButton = button(this, "Button3", "HTML", 565, 8, 75, 40);
    saveButton = button(this, "Button4", "SAVE", 646, 8, 75, 40);
    showDetailsBox = checkBox(this, "CheckBox1", "Show details (takes longer)", 8);
    defaultSaveBox = checkBox(this, "savedef", "Default Save (Thornvale Clan)", 31);
    defaultSaveBox->setEnabled(false);  // until the settings name a save folder
    allButton = button(this, "Button5", "ALL", 343, 8, 29, 40);
    // Red only while usable: a disabled ALL keeps the greyed caption of the other buttons.
    QPalette red = allButton->palette();
    red.setColor(QPalette::Active, QPalette::ButtonText, Qt::red);
    red.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::red);
    allButton->setPalette(red);
    joinNamesBox = checkBox(this, "CheckBox2", "Let me join Names", 54);
    parseButton->setEnabled(false);
    htmlButton->setEnabled(false);

    chainTabOrder({loadButton, logTextBox, parseButton, detailsTextBox, htmlButton, saveButton,
                   showDetailsBox, defaultSaveBox, allButton, joinNamesBox});

    setHints();
    createPopupMenu();
}

void MainWindow::setHints() {
    loadButton->setToolTip(
        lines({"Loads the games_mp.log. ", "Copy this is the same folder as GravmarkParser."}));
    parseButton->setToolTip(lines({"After succesfull loading the gameslog, this button will be enabled.",
                                   "Click this to parse the log file into the database."}));
    htmlButton->setToolTip(
        lines({"This button will do all the statistical work and create the final html code. "
               "This will take the longest.",
               "If Let me join Names is checked, pressing this button will allow you to join "
               "multiple playernames into one (if one player has logged in verious times with "
               "different names).",
               "See the hint info of the Let me join Names checkbox for more info."}));
    saveButton->setToolTip(lines({"This will save the html file to a destination you provide.",
                                  "When finished.. close the program."}));
    // ALL keeps its hint without showing it as a tooltip; assistive tools still read it.
    allButton->setAccessibleDescription(
        lines({"This will do everything for you. Using this option does not allow you to combine player "
               "names (read the Hint on Let me join Names)."}));
    showDetailsBox->setToolTip(lines({"Show details while parsing. Takes longer."}));
    defaultSaveBox->setToolTip(
        lines({"Als dit aanstaat, dan wordt het eindresultaat in een voorgedefinieerde map op de "
               "PC van Tal-Rim geplaatst. Wil je zelf een bestemming willen kiezen, vink deze "
               "optie dan uit!"}));
    joinNamesBox->setToolTip(
        lines({"If you have players in your log that have logged in with different names and you want to "
               "combine them to get accurate statistics, check this button.",
               "Go through LOAD and PARSE. When then clicking on HTML will popup a new screen with 2 "
               "listboxes. Click on the left one on a name you want to combine. Click in the right box "
               "(using shift en ctrl) on the names the player has logged in with. Then choose Join names. "
               "This will assign all the names and statistics in the right box to the name in the left "
               "box. After joining is done the window will close. Click HTML again to combine another "
               "gamer. When all names you need to combine are done. Uncheck Let me join Names and click "
               "on HTML again to proceed creating the statistics."}));
}

void MainWindow::createPopupMenu() {
    popupMenu = new QMenu(this);
    popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    auto addItem = [this](const char* name, const char* caption) {
        QAction* action = popupMenu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    showDbAction = addItem("showdb1", "show db");
    fetchLogAction = addItem("getlogfromBrom1", "get log ftp server");
    fetchLogAction->setVisible(false);  // until the settings name a server
    setupFtpServerAction = addItem("SetupFTPServer1", "Setup FTP Server");
}

}  // namespace gravmark
