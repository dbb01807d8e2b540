#include "batch/watched_server.h"

#include <algorithm>
#include <filesystem>

#include "batch/batch_fetch.h"
#include "batch/batch_page_options.h"
#include "batch/shipped_sample_log.h"
#include "common/error.h"
#include "common/program_folder.h"
#include "common/progress.h"
#include "pipeline/incremental_page.h"
#include "platform/native_path.h"
#include "settings/ini_file.h"

namespace gravmark {

namespace {

constexpr int64_t kSecond = 1000;
constexpr int kLongestPauseTimes = 10;

}  // namespace

std::string timeText(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

WatchedServer::WatchedServer(std::string name, std::string folder, const BatchOptions& options)
    : name_(std::move(name)), folder_(std::move(folder)), options_(options) {}

void WatchedServer::tell(StderrDialogs& dialogs, const std::string& text) const {
    dialogs.showMessage(name_.empty() ? text : name_ + ": " + text);
}

bool WatchedServer::cycle(int64_t nowMs, const std::optional<PageDestination>& destination,
                          StderrDialogs& dialogs) {
    const int64_t seconds = int64_t(options_.watchSeconds.value_or(kDefaultWatchSeconds)) * kSecond;
    pauseMs_ = seconds;
    // The settings, the fetch's lock and trust and a relative save folder are the folder's.
    setProgramFolder(folder_);
    bool written = false;
    try {
        IniFile(settingsFileName()).requireReadable();
        settings_ = readSettings(settingsFileName());
        if (settings_.server != kNotConfigured) fetch(dialogs);
        readOn();
        const PageDestination where =
            destination.value_or(PageDestination{pageTarget(options_, settings_), options_.out.has_value()});
        if (pageOwed_) {
            writePage(where, dialogs);
            written = true;
        }
        status_.update(where.target, lastPage_, fetchResult_, log_.gameCount());
        lastProblem_.clear();
    } catch (const std::exception& failure) {
        if (failure.what() != lastProblem_)
            dialogs.showError((name_.empty() ? "" : name_ + ": ") + failure.what());
        lastProblem_ = failure.what();
    }
    nextLookAt_ = nowMs + pauseMs_;
    return written;
}

void WatchedServer::fetch(StderrDialogs& dialogs) {
    try {
        Progress unseen;
        fetchLog(settings_, folder_, unseen, options_.trust, FetchTelling::RotationOnly);
        fetchResult_ = "fetched " + timeText(QDateTime::currentDateTime());
        if (serverDown_) tell(dialogs, "The server " + settings_.server + " is back.");
        serverDown_ = false;
    } catch (const Error& failure) {
        fetchResult_ = std::string("failed: ") + failure.what();
        if (!serverDown_) tell(dialogs, "The server " + settings_.server + " is down: " + failure.what());
        // Twice as long each time it stays down, up to ten times the watch's pause.
        retryPauseMs_ = serverDown_ ? std::min(retryPauseMs_ * 2, pauseMs_ * kLongestPauseTimes) : pauseMs_;
        pauseMs_ = retryPauseMs_;
        serverDown_ = true;
    }
}

void WatchedServer::readOn() {
    const IncrementalLog::Look look = log_.look(folder_ + "games_mp.log", settings_.history);
    if (look.gameEnded || look.readAgain) pageOwed_ = true;
}

void WatchedServer::readRules(StderrDialogs& dialogs) {
    try {
        rules_ = AliasList::read(AliasList::fileName(folder_));
        rulesBroken_ = false;
    } catch (const Error& failure) {
        if (!rulesBroken_)
            dialogs.showWarning(std::string(failure.what()) + " The rules read before stay in force.");
        rulesBroken_ = true;
    }
}

void WatchedServer::writePage(const PageDestination& destination, StderrDialogs& dialogs) {
    refuseShippedSampleLog(folder_);
    readRules(dialogs);
    const QDateTime now = options_.now.value_or(QDateTime::currentDateTime());
    RunOptions steps =
        batchPageOptions(folder_, settings_, destination.toOut, destination.target, now, dialogs);
    steps.keptRules = &rules_;
    if (!destination.toOut)
        steps.settings.savePath = platform::pathBytes(platform::nativePath(destination.target).parent_path());
    PageRun run;
    Progress unseen;
    writeIncrementalPage(log_, counts_, run, steps, unseen);
    pageOwed_ = false;
    lastPage_ = now;
}

}  // namespace gravmark
