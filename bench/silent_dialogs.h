#pragma once
// Dialogs that answer nothing and wait for nobody: the roster warning of large rosters
// would otherwise stop a benchmark.
#include "common/dialogs.h"

namespace gravmark::bench {

class SilentDialogs : public Dialogs {
public:
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    std::optional<std::string> askSaveFileName() override { return {}; }
    std::optional<std::string> askFolder(const std::string&) override { return {}; }
    bool askYesNo(const std::string&) override { return false; }
    std::optional<std::string> askSecret(const std::string&) override { return {}; }
};

}  // namespace gravmark::bench
