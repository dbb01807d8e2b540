#include "pipeline/combined_page.h"

#include "names/kept_names.h"
#include "table/event_table.h"

namespace gravmark {

namespace {

// Appends the records of `from` to `to` as PARSE would have posted them, their games moved
// on by `gameOffset`. PARSE posts each record before the one posted last, so the default
// order runs from the log's last event back: posting from the back keeps that order.
void appendEvents(const RecordTable& from, RecordTable& to, int32_t gameOffset) {
    const std::vector<FieldDef>& fields = from.fieldDefs();
    const int game = from.fieldNumber("game");
    for (int row = from.viewSize() - 1; row >= 0; --row) {
        to.insert();
        for (int field = 0; field < int(fields.size()); ++field) {
            const Value value = from.viewValue(row, field);
            if (isNull(value)) continue;
            if (field == game) {
                to.setInteger(fields[size_t(field)].name, std::get<int32_t>(value) + gameOffset);
            } else {
                to.setFieldValue(fields[size_t(field)].name, value);
            }
        }
        to.post();
    }
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

void writeCombinedPage(const std::vector<ServerLog>& servers, PageRun& run, RunOptions options, Progress& progress) {
    run.db.emptyDataSet();
    run.lineCount = run.gameCount = run.eventCount = 0;
    for (const ServerLog& server : servers) {
        RecordTable renamed;
        renamed.setFieldDefs(eventTableFields());
        renamed.createDataSet();
        renamed.copyRecordsOf(server.log->events());
        applyKeptNames(renamed, *server.rules, server.mergeById ? &server.log->playerIds() : nullptr);
        appendEvents(renamed, run.db, run.gameCount);
        run.lineCount += server.log->lineCount();
        run.gameCount += server.log->gameCount();
        run.eventCount += server.log->eventCount();
    }
    run.db.closeAndReopen();
    const AliasList noRules;
    options.keptRules = &noRules;
    options.settings.mergebyid = false;
    options.servers = serverGamesText(servers);
    keepPageWithoutGames(run, options);
    runSteps(run, {Step::Html, Step::Save}, options, progress);
}

}  // namespace gravmark
