#include "batch/batch_page_options.h"

#include <filesystem>

#include "common/error.h"
#include "common/program_layout.h"
#include "common/version_info.h"
#include "names/kept_names.h"
#include "platform/native_path.h"
#include "report/save_page.h"
#include "settings/ini_file.h"

namespace gravmark {

namespace {

// The batch tells how many kept-name rules it applied and warns of what it could not use.
void reportKeptNames(const KeptNamesRun& run, const SettingsValues& settings, StderrDialogs& dialogs) {
    for (const std::string& problem : run.problems) dialogs.showWarning(problem);
    if (!run.sharedIds.empty()) dialogs.showWarning(sharedIdsText(run.sharedIds));
    if (run.rulesApplied == 0 && !settings.mergeById) return;
    std::string summary = "Kept names: " + std::to_string(run.rulesApplied) + " rules of aliases.txt applied";
    if (settings.mergeById)
        summary += ", " + std::to_string(run.namesMergedById) + " names merged by player id";
    dialogs.showMessage(summary + ", " + std::to_string(run.eventsRenamed) + " events renamed");
}

}  // namespace

std::string chooseProgramFolder(const BatchOptions& options) {
    if (!options.folder) {
        try {
            return standardProgramFolder();
        } catch (const NoHomeFolder& missing) {
            throw Error(std::string(missing.what()) + ": give --folder");
        }
    }
    if (!std::filesystem::is_directory(platform::nativePath(*options.folder)))
        throw Error("Folder does not exist: " + *options.folder);
    return *options.folder;
}

void requirePageTarget(const BatchOptions& options, const SettingsValues& settings) {
    if (options.out) return;
    if (settings.savePath.empty() || settings.savePath == kNotConfigured) {
        throw Error("No place for the page: give --out FILE, or set a default save folder (savepath) in " +
                    settingsFileName());
    }
}

std::string pageTarget(const BatchOptions& options, const SettingsValues& settings) {
    return options.out ? *options.out : defaultPageFile(settings.savePath);
}

RunOptions batchPageOptions(const std::string& folder, const SettingsValues& settings, bool toOut,
                            const std::string& target, const std::optional<QDateTime>& now,
                            StderrDialogs& dialogs) {
    // The tables have no work files: nobody could read them, and a desktop program in the
    // same program folder keeps its own lijst.xml and temp.xml.
    RunOptions steps;
    steps.folder = folder;
    steps.settings = settings;
    steps.saveToDefaultFolder = !toOut;  // else the save dialog's answer is --out
    steps.version = VersionInfo().productVersion();
    steps.clock = [now] { return now.value_or(QDateTime::currentDateTime()); };
    steps.missingLog = MissingLog::Fail;
    steps.mapLog = true;  // no text box shows the log
    steps.pageToKeepWithoutGames = target;
    steps.reportKeptNames = [settings, &dialogs](const KeptNamesRun& kept) {
        reportKeptNames(kept, settings, dialogs);
    };
    return steps;
}

}  // namespace gravmark
