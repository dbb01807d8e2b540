#pragma once
// What the window tests share: a program folder of their own, scripted dialogs, and
// finding a control by its name.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>

#include "common/program_folder.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/db_navigator.h"
#include "ui/progress_bar.h"
#include "ui/right_anchored_label.h"
#include "ui/text_box.h"

namespace gravmark::test {

// A window's control (or action) by its object name; windows keep their controls private.
template <typename Control>
Control* control(const QObject& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (!found) ADD_FAILURE() << "no control " << name;
    return found;
}

class WindowTest : public testing::Test {
protected:
    WindowTest() { setProgramFolder(folder.folder()); }

    // The control that Tab moves to from the given one (inner parts of a control, such
    // as the scroll bars of a text box, take no focus and are passed over).
    static QWidget* nextTabStop(QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next != from && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
        return next;
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
};

}  // namespace gravmark::test
