#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>

#include "common/program_folder.h"
#include "ui/error_guard.h"
#include "ui/event_grid_panel.h"
#include "ui/merge_names_window.h"
#include "ui/right_anchored_label.h"
#include "ui/settings_window.h"
#include "ui/ui_font.h"

namespace gravmark {

MainWindow::MainWindow(VersionInfo versionInfo, QWidget* parent)
    : QWidget(parent), versionInfo(std::move(versionInfo)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Gravmark Parser"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(731, 557);
    setFont(uiFont());
    createControls();
    bindHandlers();

    runGuarded([this] { prepareForFirstRun(); });
}

MainWindow::~MainWindow() {
    runGuarded([this] {
        if (run.playerTable.active()) run.playerTable.close();
    });
}

void MainWindow::setWindows(MergeNamesWindow* mergeNames, SettingsWindow* settings) {
    mergeNamesWindow = mergeNames;
    settingsWindow = settings;
}

void MainWindow::bindHandlers() {
    connect(loadButton, &QPushButton::clicked, this, guarded(this, &MainWindow::load));
    connect(parseButton, &QPushButton::clicked, this, guarded(this, &MainWindow::parse));
    connect(htmlButton, &QPushButton::clicked, this, guarded(this, &MainWindow::buildHtml));
    connect(saveButton, &QPushButton::clicked, this, guarded(this, &MainWindow::save));
    connect(allButton, &QPushButton::clicked, this, guarded(this, &MainWindow::runAll));
    connect(joinNamesBox, &QCheckBox::toggled, this, guarded(this, &MainWindow::onJoinNamesToggled));
    connect(showDbAction, &QAction::triggered, this, guarded(this, &MainWindow::showDb));
    connect(fetchLogAction, &QAction::triggered, this, guarded(this, &MainWindow::fetchLogFromServer));
    connect(setupFtpServerAction, &QAction::triggered, this, guarded(this, &MainWindow::showSettings));

    fetchNotifications.onConnected = [this] { onFetchConnected(); };
    fetchNotifications.onWorkBegin = [this](int64_t remoteSize) { onFetchBegins(remoteSize); };
    fetchNotifications.onWork = [this](int64_t receivedSoFar) { onFetchProgress(receivedSoFar); };
    fetchNotifications.onWorkEnd = [this] { onFetchEnds(); };
}

// The title with the version, fresh work tables, and only LOAD and ALL usable.
void MainWindow::prepareForFirstRun() {
    titleLabel->setText(QStringLiteral("Thornvale Clan - GRAVMARKPARSER v.") +
                        QString::fromLatin1(versionInfo.fileVersion()));
    run.useWorkFolder(programFolder());
    parseButton->setEnabled(false);
    htmlButton->setEnabled(false);
    saveButton->setEnabled(false);
}

// Closing the event table writes its work file. While the steps run, the close is done when
// the running step has ended (runButtonSteps); closing is never refused.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (stepsRunning_) {
        closeAfterStep_ = true;
        event->ignore();
        return;
    }
    runGuarded([this] {
        if (run.eventTable.active()) run.eventTable.close();
    });
    event->accept();
    emit closed();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) { popupMenu->popup(event->globalPos()); }

void MainWindow::onJoinNamesToggled() {
    if (joinNamesBox->isChecked()) allButton->setEnabled(false);
}

void MainWindow::showDb() { mergeNamesWindow->showEventGrid(); }

void MainWindow::useSettings(const SettingsValues& values) { settings_ = values; }

void MainWindow::offerConfiguredFeatures(const SettingsValues& values) {
    if (values.server != kNotConfigured) fetchLogAction->setVisible(true);
    if (values.savePath != kNotConfigured) {
        defaultSaveBox->setVisible(true);
        defaultSaveBox->setEnabled(true);
    }
}

void MainWindow::showSettings() {
    settingsWindow->show();
    settingsWindow->raise();
    settingsWindow->activateWindow();
}

}  // namespace gravmark
