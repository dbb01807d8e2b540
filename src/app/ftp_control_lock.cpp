#include "app/ftp_control_lock.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

#include "app/tform1.h"

namespace gravmark {

FtpControlLock::FtpControlLock(TForm1& form)
    : form_(form), loadWasEnabled_(form.Button1->isEnabled()), parseWasEnabled_(form.Button2->isEnabled()) {
    form.Button1->setEnabled(false);
    form.Button2->setEnabled(false);
    disableIfEnabled(form.savedef);
    disableIfEnabled(form.CheckBox1);
    disableIfEnabled(form.CheckBox2);
    // A hidden menu entry reports itself disabled: it is then neither remembered nor
    // touched, so it keeps the state it will have once shown.
    disableIfEnabled(form.showdb1);
    disableIfEnabled(form.getlogfromBrom1);
    disableIfEnabled(form.SetupFTPServer1);
}

FtpControlLock::~FtpControlLock() {
    if (released_) return;
    form_.Button1->setEnabled(loadWasEnabled_);
    form_.Button2->setEnabled(parseWasEnabled_);
    enableRemembered();
}

void FtpControlLock::release() {
    released_ = true;
    form_.Button1->setEnabled(true);
    form_.Button2->setEnabled(true);
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
