#pragma once
// Dialogs for tests: records every message and answers the save dialog from a queue.
// Installed for its lifetime; the previous implementation comes back afterwards.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/dialogs.h"

namespace gravmark::test {

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { errors.push_back(text); }
    // The next queued answer; an empty queue fails the test and cancels.
    std::optional<std::string> askSaveFileName() override;
    std::optional<std::string> askFolder(const std::string& title) override;

    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::deque<std::optional<std::string>> saveAnswers;
    int saveDialogsShown = 0;

private:
    Dialogs* previous_;
};

}  // namespace gravmark::test
