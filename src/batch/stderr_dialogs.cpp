#include "batch/stderr_dialogs.h"

#include <cstdio>

#include "platform/terminal.h"

namespace gravmark {

namespace {

// Errors can carry an FTP server's reply text: its control characters are shown as "?",
// so that a server cannot send escape sequences to the admin's terminal.
std::string printable(std::string text) {
    for (char& c : text) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') || c == 0x7f) c = '?';
    }
    return text;
}

// A line of its own, also when the progress bar stands on the terminal's current line.
void printLine(const char* prefix, const std::string& text) {
    std::fprintf(stderr, "%s%s%s\n", platform::standardErrorIsTerminal() ? "\r\033[K" : "", prefix,
                 printable(text).c_str());
}

}  // namespace

StderrDialogs::StderrDialogs(std::optional<std::string> saveFileName, bool quiet)
    : saveFileName_(std::move(saveFileName)), quiet_(quiet), previous_(installDialogs(this)) {}

StderrDialogs::~StderrDialogs() { installDialogs(previous_); }

void StderrDialogs::showMessage(const std::string& text) {
    if (quiet_) return;
    printLine("", text);
}

void StderrDialogs::showWarning(const std::string& text) {
    if (!quiet_) printLine("warning: ", text);
}

void StderrDialogs::showError(const std::string& text) { printLine("error: ", text); }

}  // namespace gravmark
