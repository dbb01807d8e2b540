#include "pipeline/incremental_page.h"

namespace gravmark {

void writeIncrementalPage(const IncrementalLog& log, PageRun& run, const RunOptions& options, Progress& progress) {
    run.db.copyRecordsOf(log.events());
    run.lineCount = log.lineCount();
    run.gameCount = log.gameCount();
    run.eventCount = log.eventCount();
    if (options.settings.mergebyid) run.playerIds = log.playerIds();
    keepPageWithoutGames(run, options);
    runSteps(run, {Step::Html, Step::Save}, options, progress);
}

}  // namespace gravmark
