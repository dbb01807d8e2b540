#pragma once
// The dialogs of the desktop program: Qt message boxes captioned with the application
// title, the save dialog and the folder dialog.
#include "common/dialogs.h"

namespace gravmark {

class QtDialogs : public Dialogs {
public:
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    std::optional<std::string> askSaveFileName() override;
    std::optional<std::string> askFolder(const std::string& title) override;
};

}  // namespace gravmark
