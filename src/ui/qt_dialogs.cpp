#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "common/file_names.h"

namespace gravmark {

namespace {

// A message can name a file ("Results saved as ..."), so it is shown as file names are.
void showBox(QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), shownFileName(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<std::string> chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return fileSystemName(path);
}

}  // namespace

void QtDialogs::showMessage(const std::string& text) { showBox(QMessageBox::NoIcon, text); }

void QtDialogs::showError(const std::string& text) { showBox(QMessageBox::Critical, text); }

std::optional<std::string> QtDialogs::askSaveFileName() {
    return chosen(QFileDialog::getSaveFileName(QApplication::activeWindow()));
}

std::optional<std::string> QtDialogs::askFolder(const std::string& title) {
    return chosen(
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString::fromLatin1(title)));
}

bool QtDialogs::askYesNo(const std::string& question) {
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                                 QString::fromLatin1(question)) == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::askSecret(const std::string& prompt) {
    bool accepted = false;
    const QString secret =
        QInputDialog::getText(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                              QString::fromLatin1(prompt), QLineEdit::Password, QString(), &accepted);
    if (!accepted) return std::nullopt;
    return secret.toStdString();
}

}  // namespace gravmark
