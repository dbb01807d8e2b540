#pragma once
// What the window tests share: a program folder of their own, scripted dialogs, and
// finding a control by its name.
#include <gtest/gtest.h>

#include <QWidget>

#include "common/program_folder.h"
#include "scripted_dialogs.h"
#include "support/temp_folder.h"

namespace gravmark::test {

class WindowTest : public testing::Test {
protected:
    WindowTest() { setProgramFolder(folder.folder()); }

    template <typename Control>
    static Control* control(const QObject& window, const char* name) {
        auto* found = window.findChild<Control*>(QString::fromLatin1(name));
        if (!found) ADD_FAILURE() << "no control " << name;
        return found;
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
};

}  // namespace gravmark::test
