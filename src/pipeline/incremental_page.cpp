#include "pipeline/incremental_page.h"

#include "names/alias_list.h"
#include "names/kept_names.h"

namespace gravmark {

void writeIncrementalPage(const IncrementalLog& log, IncrementalCounts& counts, PageRun& run,
                          RunOptions options, Progress& progress) {
    run.lineCount = log.lineCount();
    run.gameCount = log.gameCount();
    run.eventCount = log.eventCount();
    keepPageWithoutGames(run, options);
    // Both outlive the steps, which count through them.
    const AliasList rules =
        options.keptRules ? *options.keptRules : AliasList::read(AliasList::fileName(options.folder));
    const PlayerIdCounts* ids = options.settings.mergeById ? &log.playerIds() : nullptr;
    if (pageReadsEveryEvent(options.settings)) {
        // Such pages are made from a copy of the events as PARSE leaves them.
        run.events.clear();
        run.events.append(log.events());
        if (ids) run.playerIds = *ids;
    } else {
        options.countStatistics = [&](Statistics& stats) {
            KeptNamesPlan plan = planKeptNames(rules, ids);
            plan.run.eventsRenamed = counts.countOn(log, plan.renames, stats);
            return plan.run;
        };
    }
    runSteps(run, {Step::Html, Step::Save}, options, progress);
}

}  // namespace gravmark
