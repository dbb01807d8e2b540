#pragma once
// One program folder under --watch: its fetch, its log read on from where the last look
// ended, its page. A cycle never throws: each failure is told and tried again later.
//  - A server that cannot be reached is told once when it goes and once when it is back;
//    meanwhile it is tried again after SECONDS, then twice as long, up to SECONDS x 10.
//  - The page is written again when a game has ended since the last page, the log was
//    read again from its start (a rotation), or the last page could not be written (a
//    full disk: the old page stays, the message is told once, the next cycle tries again).
//  - aliases.txt that cannot be read is told once; the rules read last stay in force.
#include <QDateTime>
#include <cstdint>
#include <optional>
#include <string>

#include "batch/batch_options.h"
#include "batch/status_file.h"
#include "batch/stderr_dialogs.h"
#include "names/alias_list.h"
#include "pipeline/incremental_counts.h"
#include "pipeline/incremental_log.h"
#include "settings/settings_values.h"

namespace gravmark {

// Where a folder's page goes: `target`, by the save dialog (--out) or as the default
// save folder's index.html.
struct PageDestination {
    std::string target;
    bool toOut = false;
};

// A time as the status file and the messages show it: "YYYY-MM-DD HH:MM:SS".
std::string timeText(const QDateTime& time);

class WatchedServer {
public:
    // `name` is empty for the only folder of a watch; `folder` ends in a separator.
    WatchedServer(std::string name, std::string folder, const BatchOptions& options);

    // The look due at nextLookAt(); `nowMs` is the watch clock's time. `destination`
    // empty: the page goes where the folder's settings and the options say. True when a
    // page was written. The status file beside the page is brought up to date.
    bool cycle(int64_t nowMs, const std::optional<PageDestination>& destination, StderrDialogs& dialogs);
    int64_t nextLookAt() const { return nextLookAt_; }

    bool pageOwed() const { return pageOwed_; }  // the last look could not write its page
    const std::string& name() const { return name_; }
    const std::string& folder() const { return folder_; }
    const IncrementalLog& log() const { return log_; }
    IncrementalCounts& counts() { return counts_; }
    const SettingsValues& settings() const { return settings_; }
    // The rules in force: aliases.txt as read last (empty before it was read).
    const AliasList& keptRules() const { return rules_; }
    // The last fetch's result as the status file tells it: "none" without a server.
    const std::string& fetchResult() const { return fetchResult_; }
    // "Updated @" of the last page written, invalid before the first.
    const QDateTime& lastPage() const { return lastPage_; }

private:
    void tell(StderrDialogs& dialogs, const std::string& text) const;
    void fetch(StderrDialogs& dialogs);
    void readOn();
    void readRules(StderrDialogs& dialogs);
    void writePage(const PageDestination& destination, StderrDialogs& dialogs);

    std::string name_;
    std::string folder_;
    const BatchOptions& options_;
    SettingsValues settings_;
    IncrementalLog log_;
    IncrementalCounts counts_;
    AliasList rules_;
    int64_t nextLookAt_ = 0;
    int64_t pauseMs_ = 0;       // the pause before the next look
    int64_t retryPauseMs_ = 0;  // while the server is down
    bool serverDown_ = false;
    bool pageOwed_ = true;  // the first look writes a page
    bool rulesBroken_ = false;
    std::string lastProblem_;  // the failure told last, told again only when it changes
    std::string fetchResult_ = "none";
    QDateTime lastPage_;
    StatusFile status_;
};

}  // namespace gravmark
