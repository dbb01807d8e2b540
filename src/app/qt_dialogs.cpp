#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace gravmark {

namespace {

void showBox(QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), QString::fromLatin1(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<std::string> chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path.toLatin1().toStdString();
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

}  // namespace gravmark
