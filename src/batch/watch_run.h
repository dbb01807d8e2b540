#pragma once
// gravmark-batch --watch and --server: the folders' pages kept current, each folder
// looked at on its own schedule, until a stop is asked for (SIGTERM, SIGINT).
//
// Without --server the one folder is --folder (or the program's own); its page goes where
// a plain run puts it. With --server each NAME=FOLDER is a folder of its own whose page
// is NAME/index.html beside the combined page, and the combined page (over every
// folder's games, made with the settings, templates and save folder of --folder) is
// written again whenever a folder's events changed and that folder's page was written.
// Beside each page, gravmark-status.txt tells the last page time, the last fetch's result
// and the games seen.
#include "batch/batch_options.h"
#include "batch/watch_clock.h"

namespace gravmark {

// Without --watch (--server alone) every folder is looked at once. Returns the exit
// status: 0 after a stop, or after one look that wrote every page; 1 when a look wrote
// not every page or the folders cannot be used (the message has then gone to standard
// error).
int runWatch(const BatchOptions& options, WatchClock& clock);

}  // namespace gravmark
