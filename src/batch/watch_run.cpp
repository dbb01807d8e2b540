#include "batch/watch_run.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "batch/batch_page_options.h"
#include "batch/stderr_dialogs.h"
#include "batch/watched_server.h"
#include "common/error.h"
#include "common/program_folder.h"
#include "pipeline/combined_page.h"
#include "platform/native_path.h"
#include "settings/ini_file.h"

namespace gravmark {

namespace {

std::string existingFolder(const std::string& folder) {
    if (!std::filesystem::is_directory(platform::nativePath(folder)))
        throw Error("Folder does not exist: " + folder);
    setProgramFolder(folder);
    return programFolder();  // with its separator
}

// The folders to watch: the --server folders, else the one program folder.
std::vector<std::unique_ptr<WatchedServer>> watchedFolders(const BatchOptions& options,
                                                           const std::string& programFolder) {
    std::vector<std::unique_ptr<WatchedServer>> folders;
    for (const ServerFolder& server : options.servers)
        folders.push_back(
            std::make_unique<WatchedServer>(server.name, existingFolder(server.folder), options));
    if (folders.empty()) folders.push_back(std::make_unique<WatchedServer>("", programFolder, options));
    return folders;
}

// "tdm: fetched ..., sd: none": every folder's last fetch.
std::string fetchResults(const std::vector<std::unique_ptr<WatchedServer>>& folders) {
    std::string text;
    for (const auto& folder : folders)
        text += (text.empty() ? "" : ", ") + folder->name() + ": " + folder->fetchResult();
    return text;
}

int64_t gamesSeen(const std::vector<ServerLog>& logs) {
    int64_t games = 0;
    for (const ServerLog& log : logs) games += log.log->gameCount();
    return games;
}

// The page over every folder, with the program folder's settings and templates.
class CombinedSite {
public:
    CombinedSite(const BatchOptions& options, std::string folder, SettingsValues settings)
        : options_(options),
          folder_(std::move(folder)),
          settings_(std::move(settings)),
          target_(pageTarget(options, settings_)) {}

    // NAME/index.html beside the combined page, its folder made when missing (a folder
    // that cannot be made fails the page's writing, which tells it).
    PageDestination serverPage(const std::string& name) const {
        const std::filesystem::path folder =
            platform::nativePath(target_).parent_path() / platform::nativePath(name);
        std::error_code toldByTheWriting;
        std::filesystem::create_directories(folder, toldByTheWriting);
        return {platform::pathBytes(folder / "index.html"), false};
    }

    // Never throws: a failure is told once, and the next look tries again.
    bool write(std::vector<std::unique_ptr<WatchedServer>>& folders, StderrDialogs& dialogs) {
        std::vector<ServerLog> logs;
        for (const auto& folder : folders)
            logs.push_back({folder->name(), &folder->log(), &folder->keptRules(),
                            folder->settings().mergeById, &folder->counts()});
        try {
            setProgramFolder(folder_);
            const QDateTime now = options_.now.value_or(QDateTime::currentDateTime());
            PageRun run;
            Progress unseen;
            writeCombinedPage(
                logs, run,
                batchPageOptions(folder_, settings_, options_.out.has_value(), target_, now, dialogs),
                unseen);
            lastPage_ = now;
            status_.update(target_, lastPage_, fetchResults(folders), gamesSeen(logs));
            lastProblem_.clear();
            return true;
        } catch (const std::exception& failure) {
            if (failure.what() != lastProblem_) dialogs.showError(failure.what());
            lastProblem_ = failure.what();
            return false;
        }
    }

private:
    const BatchOptions& options_;
    std::string folder_;
    SettingsValues settings_;
    std::string target_;
    QDateTime lastPage_;
    StatusFile status_;
    std::string lastProblem_;
};

}  // namespace

int runWatch(const BatchOptions& options, WatchClock& clock) {
    StderrDialogs dialogs(options.out, options.quiet);
    try {
        const std::string programFolder = existingFolder(chooseProgramFolder(options));
        IniFile(settingsFileName()).requireReadable();
        const SettingsValues settings = readSettings(settingsFileName());
        requirePageTarget(options, settings);
        std::vector<std::unique_ptr<WatchedServer>> folders = watchedFolders(options, programFolder);
        std::optional<CombinedSite> combined;
        if (!options.servers.empty()) combined.emplace(options, programFolder, settings);

        const bool once = !options.watchSeconds;
        bool allWritten = true;
        bool combinedOwed = combined.has_value();
        while (!clock.stopAsked()) {
            const int64_t now = clock.nowMs();
            for (const auto& folder : folders) {
                if (folder->nextLookAt() > now || clock.stopAsked()) continue;
                const std::optional<PageDestination> page =
                    combined ? std::optional(combined->serverPage(folder->name())) : std::nullopt;
                const bool written = folder->cycle(now, page, dialogs);
                combinedOwed = combinedOwed || (combined && written);
                allWritten = allWritten && !folder->pageOwed();
            }
            if (combinedOwed && !clock.stopAsked()) {
                combinedOwed = !combined->write(folders, dialogs);
                allWritten = allWritten && !combinedOwed;
            }
            if (once) return allWritten ? 0 : 1;
            const auto next = std::min_element(
                folders.begin(), folders.end(),
                [](const auto& a, const auto& b) { return a->nextLookAt() < b->nextLookAt(); });
            clock.sleepUntil((*next)->nextLookAt());
        }
        return 0;
    } catch (const std::exception& failure) {
        dialogs.showError(failure.what());
        return 1;
    }
}

}  // namespace gravmark
