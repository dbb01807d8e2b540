#pragma once
// What the batch's page runs share: the options of runSteps for one program folder, and
// where its page goes.
#include <QDateTime>
#include <optional>
#include <string>

#include "batch/batch_options.h"
#include "batch/stderr_dialogs.h"
#include "pipeline/page_run.h"

namespace gravmark {

// --folder, else the folder of the programs' layout; a batch without HOME would otherwise
// work in the root folder's .local/share. Throws Error when neither can be used.
std::string chooseProgramFolder(const BatchOptions& options);

// Throws Error before any work when there is no place for the page: no --out and no
// default save folder in the settings.
void requirePageTarget(const BatchOptions& options, const SettingsValues& settings);

// Where the page goes: --out, else index.html in the default save folder.
std::string pageTarget(const BatchOptions& options, const SettingsValues& settings);

// The options of a batch run in `folder` (the program folder, ending in a separator): the
// page goes to the save dialog's answer (--out) when `out` is set, else to the default
// save folder; "Updated @" is `now` or the time of each page; a missing log fails; a log
// without games never replaces the page; the kept names are told through `dialogs`.
RunOptions batchPageOptions(const std::string& folder, const SettingsValues& settings, bool toOut,
                            const std::string& target, const std::optional<QDateTime>& now,
                            StderrDialogs& dialogs);

}  // namespace gravmark
