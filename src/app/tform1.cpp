#include "app/tform1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include "app/error_guard.h"
#include "app/right_anchored_label.h"
#include "app/ui_font.h"
#include "common/program_folder.h"
#include "merge/ui/db_navigator.h"
#include "merge/ui/tform2.h"
#include "settings/ui/tform3.h"
#include "table/work_tables.h"

namespace gravmark {

TForm1::TForm1(VersionInfo versionInfo, QWidget* parent) : QWidget(parent), versinfo(std::move(versionInfo)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Gravmark Parser"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(731, 557);
    setFont(uiFont());
    createControls();
    bindHandlers();

    runGuarded([this] {
        defineWorkTables(db, tempdb);
        FormCreate();
    });
}

TForm1::~TForm1() {
    runGuarded([this] {
        if (tempdb.active()) tempdb.close();
    });
}

void TForm1::setWindows(TForm2* form2, TForm3* form3) {
    Form2 = form2;
    Form3 = form3;
}

void TForm1::bindHandlers() {
    connect(Button1, &QPushButton::clicked, this, guarded(this, &TForm1::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(this, &TForm1::Button2Click));
    connect(Button3, &QPushButton::clicked, this, guarded(this, &TForm1::Button3Click));
    connect(Button4, &QPushButton::clicked, this, guarded(this, &TForm1::Button4Click));
    connect(Button5, &QPushButton::clicked, this, guarded(this, &TForm1::Button5Click));
    connect(CheckBox2, &QCheckBox::toggled, this, guarded(this, &TForm1::CheckBox2Click));
    connect(showdb1, &QAction::triggered, this, guarded(this, &TForm1::showdb1Click));
    connect(getlogfromBrom1, &QAction::triggered, this, guarded(this, &TForm1::getlogfromBrom1Click));
    connect(SetupFTPServer1, &QAction::triggered, this, guarded(this, &TForm1::SetupFTPServer1Click));

    IdFTP1.onConnected = [this] { IdFTP1Connected(); };
    IdFTP1.onWorkBegin = [this](int64_t remoteSize) { IdFTP1WorkBegin(remoteSize); };
    IdFTP1.onWork = [this](int64_t receivedSoFar) { IdFTP1Work(receivedSoFar); };
    IdFTP1.onWorkEnd = [this] { IdFTP1WorkEnd(); };
}

void TForm1::FormCreate() {
    Label1->setText(QStringLiteral("Thornvale Clan - GRAVMARKPARSER v.") +
                    QString::fromLatin1(versinfo.fileVersion()));
    recreateWorkTables(db, tempdb, programFolder());
    Button2->setEnabled(false);
    Button3->setEnabled(false);
    Button4->setEnabled(false);
}

void TForm1::FormClose() {
    if (db.active()) db.close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    runGuarded([this] { FormClose(); });
    event->accept();
    emit closed();
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) { PopupMenu1->popup(event->globalPos()); }

void TForm1::Button5Click() {
    Button5->setEnabled(false);
    Button1->setEnabled(false);
    // Without a log ALL stops: going on would save a page of nothing over the clan's page.
    // Nothing has changed, so LOAD and ALL can be used again once the log is there.
    if (!loadLogFile()) {
        Button1->setEnabled(true);
        Button5->setEnabled(true);
        return;
    }
    Button2Click();
    Button3Click();
    Button4Click();
}

void TForm1::CheckBox2Click() {
    if (CheckBox2->isChecked()) Button5->setEnabled(false);
}

void TForm1::showdb1Click() {
    Form2->DBGridEh1->setVisible(true);
    Form2->DBNavigator1->setVisible(true);
    Form2->show();
    Form2->raise();
}

void TForm1::SetupFTPServer1Click() {
    Form3->show();
    Form3->raise();
    Form3->activateWindow();
}

}  // namespace gravmark
