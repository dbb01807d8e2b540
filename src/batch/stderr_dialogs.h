#pragma once
// The batch command's dialogs, installed while the object lives: messages go to standard
// error, the save dialog is answered with the --out file, and no folder is ever asked for.
#include <optional>
#include <string>

#include "common/dialogs.h"

namespace gravmark {

class StderrDialogs : public Dialogs {
public:
    StderrDialogs(std::optional<std::string> saveFileName, bool quiet);
    ~StderrDialogs() override;
    StderrDialogs(const StderrDialogs&) = delete;
    StderrDialogs& operator=(const StderrDialogs&) = delete;

    // Info lines; --quiet drops them.
    void showMessage(const std::string& text) override;
    // "warning: " + text; --quiet drops it.
    void showWarning(const std::string& text);
    // "error: " + text, always.
    void showError(const std::string& text) override;
    std::optional<std::string> askSaveFileName() override { return saveFileName_; }
    std::optional<std::string> askFolder(const std::string&) override { return std::nullopt; }
    // Nobody is there to answer: trust is given with the command's options, a key's
    // passphrase through the environment.
    bool askYesNo(const std::string&) override { return false; }
    std::optional<std::string> askSecret(const std::string&) override { return std::nullopt; }

private:
    std::optional<std::string> saveFileName_;
    bool quiet_;
    Dialogs* previous_;
};

}  // namespace gravmark
