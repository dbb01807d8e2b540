#include "page_of_log.h"

#include <filesystem>

#include "pipeline/page_run.h"
#include "support/scripted_dialogs.h"

namespace gravmark::test {

void savePageOfLog(const std::string& logFile, const TempFolder& folder) {
    ScriptedDialogs dialogs;
    const std::string log = folder.file("games_mp.log");
    if (!std::filesystem::exists(log) || !std::filesystem::equivalent(logFile, log))
        std::filesystem::copy_file(logFile, log, std::filesystem::copy_options::overwrite_existing);
    PageRun run;
    run.useWorkFolder(folder.folder());
    RunOptions options;
    options.folder = folder.folder();
    options.settings.medals = {true, true, true, true, true, true, true};
    options.settings.savePath = folder.path().string();
    options.saveToDefaultFolder = true;
    options.version = "1.0.2.11";
    options.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5), Qt::UTC); };
    Progress progress;
    runSteps(run, kAllSteps, options, progress);
}

}  // namespace gravmark::test
