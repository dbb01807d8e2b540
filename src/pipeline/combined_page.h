#pragma once
// One page over several servers' logs: every server's events, each renamed by the kept
// names of its own folder, as one log whose games are numbered server after server, so
// that no game of one server is taken for a game of another. The roster, the counts and
// the player pages are then over all servers, and their counts add up to the servers' own.
#include <string>
#include <vector>

#include "common/progress.h"
#include "names/alias_list.h"
#include "pipeline/incremental_counts.h"
#include "pipeline/incremental_log.h"
#include "pipeline/page_run.h"

namespace gravmark {

struct ServerLog {
    std::string name;
    const IncrementalLog* log = nullptr;
    const AliasList* rules = nullptr;     // the folder's kept names
    bool mergeById = false;               // the folder's setting
    IncrementalCounts* counts = nullptr;  // the server's counts, carried on between pages
};

// "tdm (12 games), sd (30 games)": the servers in order with their game counters.
std::string serverGamesText(const std::vector<ServerLog>& servers);

// Fills `run` with the servers' events as described above (lines and games added up),
// then runs HTML and SAVE with `options`, whose own kept names and merging by id are not
// used (each server's were), and whose header names the servers. Without player pages no
// event is copied: as games are told apart by server, the counts over all servers are the
// sums of each server's counts (carried on by its IncrementalCounts), name by name.
void writeCombinedPage(const std::vector<ServerLog>& servers, PageRun& run, RunOptions options,
                       Progress& progress);

}  // namespace gravmark
