#pragma once
// The page of a watched log: what IncrementalLog holds goes through HTML and SAVE as PARSE
// would have left it, so the page equals that of LOAD, PARSE, HTML and SAVE on the log cut
// after its last complete line.
#include "common/progress.h"
#include "pipeline/incremental_log.h"
#include "pipeline/page_run.h"

namespace gravmark {

// Fills `run` from `log` (the events as PARSE reopens them, the line and game counters,
// the player ids), then runs HTML and SAVE with `options`. Throws as runSteps does, and
// as keepPageWithoutGames when the log holds no event.
void writeIncrementalPage(const IncrementalLog& log, PageRun& run, const RunOptions& options, Progress& progress);

}  // namespace gravmark
