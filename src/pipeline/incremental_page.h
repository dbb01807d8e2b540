#pragma once
// The page of a watched log: what IncrementalLog holds goes through HTML and SAVE as PARSE
// would have left it, so the page equals that of LOAD, PARSE, HTML and SAVE on the log cut
// after its last complete line.
#include "common/progress.h"
#include "pipeline/incremental_counts.h"
#include "pipeline/incremental_log.h"
#include "pipeline/page_run.h"

namespace gravmark {

// Fills `run` from `log` (the line and game counters, the player ids), then runs HTML and
// SAVE with `options`. Without player pages the statistics are counted on by `counts`
// (kept between the pages of one log) and the events are not copied; with them, the events
// are copied into run.events as PARSE gives them and counted there. The kept names are
// options.keptRules, else aliases.txt in the folder. Throws as runSteps does, and as
// keepPageWithoutGames when the log holds no event.
void writeIncrementalPage(const IncrementalLog& log, IncrementalCounts& counts, PageRun& run,
                          RunOptions options, Progress& progress);

}  // namespace gravmark
