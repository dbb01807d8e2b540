// The controls of the main window: places, captions, fonts, hints, tab order and menu.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>

#include "app/background_picture.h"
#include "app/place_widget.h"
#include "app/progress_bar.h"
#include "app/right_anchored_label.h"
#include "app/text_box.h"
#include "app/tform1.h"
#include "app/ui_font.h"

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

void TForm1::createControls() {
    place(new BackgroundPicture(this), "Background", 0, 0, 731, 557);
    Progress = place(new ProgressBar(this), "Progress", 8, 523, 713, 24);

    Label1 = new RightAnchoredLabel(721, 54, 19, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(uiFont(16, true));
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(blue);
    Label1->setText(QStringLiteral("Thornvale Clan - GRAVMARKPARSER"));

    Button1 = button(this, "Button1", "LOAD", 403, 8, 75, 40);
    Memo1 = textBox(Memo1Lines, this, "Memo1", 77, 220);
    Button2 = button(this, "Button2", "PARSE", 484, 8, 75, 40);
    Memo2 = textBox(Memo2Lines, this, "Memo2", 312, 193);
    Button3 = button(this, "Button3", "HTML", 565, 8, 75, 40);
    Button4 = button(this, "Button4", "SAVE", 646, 8, 75, 40);
    CheckBox1 = checkBox(this, "CheckBox1", "Show details (takes longer)", 8);
    savedef = checkBox(this, "savedef", "Default Save (Thornvale Clan)", 31);
    Button5 = button(this, "Button5", "ALL", 343, 8, 29, 40);
    // Red only while usable: a disabled ALL keeps the greyed caption of the other buttons.
    QPalette red = Button5->palette();
    red.setColor(QPalette::Active, QPalette::ButtonText, Qt::red);
    red.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::red);
    Button5->setPalette(red);
    CheckBox2 = checkBox(this, "CheckBox2", "Let me join Names", 54);
    Button2->setEnabled(false);
    Button3->setEnabled(false);

    chainTabOrder({Button1, Memo1, Button2, Memo2, Button3, Button4, CheckBox1, savedef, Button5, CheckBox2});

    setHints();
    createPopupMenu();
}

void TForm1::setHints() {
    Button1->setToolTip(
        lines({"Loads the games_mp.log. ", "Copy this is the same folder as GravmarkParser."}));
    Button2->setToolTip(lines({"After succesfull loading the gameslog, this button will be enabled.",
                               "Click this to parse the log file into the database."}));
    Button3->setToolTip(
        lines({"This button will do all the statistical work and create the final html code. "
               "This will take the longest.",
               "If Let me join Names is checked, pressing this button will allow you to join "
               "multiple playernames into one (if one player has logged in verious times with "
               "different names).",
               "See the hint info of the Let me join Names checkbox for more info."}));
    Button4->setToolTip(lines({"This will save the html file to a destination you provide.",
                               "When finished.. close the program."}));
    // ALL keeps its hint without showing it as a tooltip; assistive tools still read it.
    Button5->setAccessibleDescription(
        lines({"This will do everything for you. Using this option does not allow you to combine player "
               "names (read the Hint on Let me join Names)."}));
    CheckBox1->setToolTip(lines({"Show details while parsing. Takes longer."}));
    savedef->setToolTip(
        lines({"Als dit aanstaat, dan wordt het eindresultaat in een voorgedefinieerde map op de "
               "PC van Tal-Rim geplaatst. Wil je zelf een bestemming willen kiezen, vink deze "
               "optie dan uit!"}));
    CheckBox2->setToolTip(
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

void TForm1::createPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto addItem = [this](const char* name, const char* caption) {
        QAction* action = PopupMenu1->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    showdb1 = addItem("showdb1", "show db");
    getlogfromBrom1 = addItem("getlogfromBrom1", "get log ftp server");
    SetupFTPServer1 = addItem("SetupFTPServer1", "Setup FTP Server");
}

}  // namespace gravmark
