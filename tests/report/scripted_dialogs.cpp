#include "scripted_dialogs.h"

#include <gtest/gtest.h>

namespace gravmark::test {

ScriptedDialogs::ScriptedDialogs() : previous_(installDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() { installDialogs(previous_); }

std::optional<std::string> ScriptedDialogs::askSaveFileName() {
    ++saveDialogsShown;
    if (saveAnswers.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return std::nullopt;
    }
    std::optional<std::string> answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::askFolder(const std::string& title) {
    ADD_FAILURE() << "unexpected folder dialog: " << title;
    return std::nullopt;
}

}  // namespace gravmark::test
