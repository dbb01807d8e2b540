#pragma once
// Dialogs for window tests: installed while it lives, it records every message and
// error box and answers the save and folder dialogs, questions and secrets from queues
// (cancel, or no, when empty).
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/dialogs.h"

namespace gravmark::test {

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() : previous_(installDialogs(this)) {}
    ~ScriptedDialogs() override { installDialogs(previous_); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { errors.push_back(text); }
    std::optional<std::string> askSaveFileName() override { return next(saveAnswers); }
    std::optional<std::string> askFolder(const std::string& title) override {
        folderTitles.push_back(title);
        return next(folderAnswers);
    }
    bool askYesNo(const std::string& question) override {
        questions.push_back(question);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> askSecret(const std::string& prompt) override {
        secretPrompts.push_back(prompt);
        return next(secretAnswers);
    }

    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<std::string> folderTitles;
    std::vector<std::string> questions;
    std::vector<std::string> secretPrompts;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<bool> yesNoAnswers;  // no when empty
    std::deque<std::optional<std::string>> secretAnswers;

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    Dialogs* previous_;
};

}  // namespace gravmark::test
