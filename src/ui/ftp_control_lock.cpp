#include "ui/ftp_control_lock.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

#include "ui/main_window.h"

namespace gravmark {

FtpControlLock::FtpControlLock(MainWindow& window)
    : window_(window),
      loadWasEnabled_(window.loadButton->isEnabled()),
      parseWasEnabled_(window.parseButton->isEnabled()) {
    window.loadButton->setEnabled(false);
    window.parseButton->setEnabled(false);
    disableIfEnabled(window.defaultSaveBox);
    disableIfEnabled(window.showDetailsBox);
    disableIfEnabled(window.joinNamesBox);
    // A hidden menu entry reports itself disabled: it is then neither remembered nor
    // touched, so it keeps the state it will have once shown.
    disableIfEnabled(window.showDbAction);
    disableIfEnabled(window.fetchLogAction);
    disableIfEnabled(window.setupFtpServerAction);
}

FtpControlLock::~FtpControlLock() {
    if (released_) return;
    window_.loadButton->setEnabled(loadWasEnabled_);
    window_.parseButton->setEnabled(parseWasEnabled_);
    enableRemembered();
}

void FtpControlLock::release() {
    released_ = true;
    window_.loadButton->setEnabled(true);
    window_.parseButton->setEnabled(true);
    enableRemembered();
}

template <typename Control>
void FtpControlLock::disableIfEnabled(Control* control) {
    if (!control->isEnabled()) return;
    control->setEnabled(false);
    enableAgain_.push_back([control] { control->setEnabled(true); });
}

void FtpControlLock::enableRemembered() {
    for (const auto& enable : enableAgain_) enable();
}

}  // namespace gravmark
