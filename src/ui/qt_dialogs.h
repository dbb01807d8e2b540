#pragma once
// The dialogs of the desktop program: Qt message boxes captioned with the application
// title, the save dialog, the folder dialog, yes/no questions and a password box.
#include "common/dialogs.h"

namespace gravmark {

class QtDialogs : public Dialogs {
public:
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    std::optional<std::string> askSaveFileName() override;
    std::optional<std::string> askFolder(const std::string& title) override;
    bool askYesNo(const std::string& question) override;
    std::optional<std::string> askSecret(const std::string& prompt) override;
};

}  // namespace gravmark
