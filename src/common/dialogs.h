#pragma once
// The one seam through which the program talks to the user in modal boxes:
// plain messages, error boxes, the save dialog, the folder dialog, yes/no questions and
// secrets (passphrases).
// The desktop program installs a Qt implementation, the batch command one that
// writes to standard error, and tests a scripted one that records and answers.
#include <optional>
#include <string>

namespace gravmark {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain message box with an OK button ("File does not exist", "Merge done!").
    virtual void showMessage(const std::string& text) = 0;
    // The error box of the application's error handler; the text is shown as given.
    virtual void showError(const std::string& text) = 0;
    // The save dialog: no filter, no default extension, no preset name.
    // Returns the chosen file name, or nothing when the user cancels.
    virtual std::optional<std::string> askSaveFileName() = 0;
    // The folder dialog with the given title; nothing when the user cancels.
    virtual std::optional<std::string> askFolder(const std::string& title) = 0;
    // A yes/no question, such as whether to trust a server's certificate or host key:
    // true for yes.
    virtual bool askYesNo(const std::string& question) = 0;
    // A secret the user types, such as a key's passphrase; nothing when the user cancels.
    virtual std::optional<std::string> askSecret(const std::string& prompt) = 0;
};

// The installed implementation. Throws std::logic_error when none is installed.
Dialogs& dialogs();
// Installs an implementation (not owned); returns the previous one.
Dialogs* installDialogs(Dialogs* implementation);

}  // namespace gravmark
