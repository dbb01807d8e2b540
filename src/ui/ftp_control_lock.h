#pragma once
// Keeps the main window's controls out of use while "get log ftp server" waits on the
// network (the windows go on answering input meanwhile). It disables LOAD and PARSE, and
// those of `defaultSaveBox`, `showDetailsBox`, `joinNamesBox`, `showDbAction`, `fetchLogAction` and
// `setupFtpServerAction` that are enabled, remembering which. release() marks the file as
// received: LOAD and PARSE are enabled whatever they were, and the remembered controls
// enabled again. A lock that ends without release() (an error, or the server dropping the
// connection after the login) gives LOAD and PARSE back their earlier states and enables
// the remembered controls again, so a passing network fault needs no restart.
#include <functional>
#include <vector>

namespace gravmark {

class MainWindow;

class FtpControlLock {
public:
    explicit FtpControlLock(MainWindow& window);
    ~FtpControlLock();
    FtpControlLock(const FtpControlLock&) = delete;
    FtpControlLock& operator=(const FtpControlLock&) = delete;

    void release();

private:
    template <typename Control>
    void disableIfEnabled(Control* control);
    void enableRemembered();

    MainWindow& window_;
    const bool loadWasEnabled_;
    const bool parseWasEnabled_;
    std::vector<std::function<void()>> enableAgain_;
    bool released_ = false;
};

}  // namespace gravmark
