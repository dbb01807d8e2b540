#include "pipeline/combined_page.h"

#include <algorithm>
#include <unordered_map>

#include "names/kept_names.h"
#include "stats/roster_order.h"

namespace gravmark {

namespace {

// Every server's events, renamed by its own kept names, one server after the other as
// PARSE gives a log's, each server's games numbered after those before it.
void copyRenamedEvents(const std::vector<ServerLog>& servers, GameEvents& events) {
    events.clear();
    int32_t games = 0;
    for (const ServerLog& server : servers) {
        GameEvents renamed;
        renamed.append(server.log->events());
        applyKeptNames(renamed, *server.rules, server.mergeById ? &server.log->playerIds() : nullptr);
        events.append(renamed, games);
        games += server.log->gameCount();
    }
}

// The counts of several servers' statistics added up name by name, over the roster of all
// their names in roster order.
Statistics addedUp(const std::vector<Statistics>& each) {
    std::vector<std::string> names;
    for (const Statistics& stats : each) names.insert(names.end(), stats.roster.begin(), stats.roster.end());
    const RosterOrder order;
    std::sort(names.begin(), names.end(),
              [&order](const std::string& a, const std::string& b) { return order.compare(a, b) < 0; });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    Statistics sum;
    sum.roster = names;
    std::unordered_map<std::string, size_t> slot;
    for (size_t i = 0; i < names.size(); ++i) slot.emplace(names[i], i);
    using Counts = std::vector<int32_t> Statistics::*;
    const Counts counts[] = {&Statistics::killCounts,     &Statistics::deathCounts,
                             &Statistics::headshotsGiven, &Statistics::headshotsTaken,
                             &Statistics::tntKills,       &Statistics::grenadeKills,
                             &Statistics::suicideCounts,  &Statistics::gamesPlayed};
    for (const Counts field : counts) (sum.*field).assign(names.size(), 0);
    for (const Statistics& stats : each) {
        sum.playedTotal += stats.playedTotal;
        for (size_t i = 0; i < stats.roster.size(); ++i) {
            const size_t to = slot.at(stats.roster[i]);
            for (const Counts field : counts) (sum.*field)[to] += (stats.*field)[i];
        }
    }
    return sum;
}

}  // namespace

std::string serverGamesText(const std::vector<ServerLog>& servers) {
    std::string text;
    for (const ServerLog& server : servers) {
        if (!text.empty()) text += ", ";
        text += server.name + " (" + std::to_string(server.log->gameCount()) + " games)";
    }
    return text;
}

void writeCombinedPage(const std::vector<ServerLog>& servers, PageRun& run, RunOptions options,
                       Progress& progress) {
    run.lineCount = run.gameCount = run.eventCount = 0;
    for (const ServerLog& server : servers) {
        run.lineCount += server.log->lineCount();
        run.gameCount += server.log->gameCount();
        run.eventCount += server.log->eventCount();
    }
    const AliasList noRules;
    options.keptRules = &noRules;
    options.settings.mergeById = false;
    options.servers = serverGamesText(servers);
    keepPageWithoutGames(run, options);
    if (pageReadsEveryEvent(options.settings)) {
        copyRenamedEvents(servers, run.events);
    } else {
        options.countStatistics = [&servers](Statistics& stats) {
            std::vector<Statistics> each(servers.size());
            for (size_t i = 0; i < servers.size(); ++i) {
                const ServerLog& server = servers[i];
                const PlayerIdCounts* ids = server.mergeById ? &server.log->playerIds() : nullptr;
                server.counts->countOn(*server.log, planKeptNames(*server.rules, ids).renames, each[i]);
            }
            stats = addedUp(each);
            return KeptNamesRun{};
        };
    }
    runSteps(run, {Step::Html, Step::Save}, options, progress);
}

}  // namespace gravmark
