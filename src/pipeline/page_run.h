#pragma once
// One run from the log to the saved page: LOAD -> PARSE -> HTML -> SAVE, for the main
// window (a step per button, or ALL), gravmark-batch and the tests alike. PageRun holds
// what the steps hand on; runSteps runs any of the steps in order, with what differs
// between its callers passed in as RunOptions (the dialogs go through the Dialogs seam).
#include <QDateTime>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/mapped_log.h"
#include "ingest/player_id_counts.h"
#include "names/kept_names.h"
#include "report/run_statistics.h"
#include "report/save_page.h"
#include "settings/settings_values.h"
#include "site/player_site.h"
#include "stats/rating_report.h"
#include "stats/statistics.h"
#include "table/game_events.h"
#include "table/record_table.h"

namespace gravmark {

enum class Step { Load, Parse, Html, Save };

// What a run hands from step to step. The tables are defined on construction; useWorkFolder
// gives them their work files.
struct PageRun {
    PageRun();

    // lijst.xml and temp.xml in `folder` (ending in a separator), both tables empty.
    void useWorkFolder(const std::string& folder);

    TextBoxLines logLines;     // Memo1: the log, then the page
    MappedLog mappedLog;       // the log instead, when LOAD maps it (RunOptions::mapLog)
    TextBoxLines detailLines;  // Memo2: the details of PARSE, then the page's end
    GameEvents events;         // PARSE's events; after HTML renamed and pruned
    RecordTable eventTable;    // the events as the window shows them (RunOptions::showEvents)
    // The event table's change count when PARSE filled it from `events`, until HTML renames
    // and prunes them. While the table keeps that count nobody edited the grid, and HTML
    // takes `events` as they are instead of reading them back from the table.
    std::optional<uint64_t> eventTableOfParse;
    RecordTable playerTable;   // the players
    Statistics counts;
    PlayerStandings standings;  // the player table's records as plain values and HTML, the medals
    PlayerIdCounts playerIds;   // counted by PARSE, for merging names by id
    // The skill ratings of the roster's named players, in roster order; none with
    // "ratings" off or when the run makes nothing but the classic page.
    std::shared_ptr<const RatingReport> ratings;
    PlayerSite playerSite;
    QDateTime pageTime;  // the "Updated @" time of the page HTML built
    int32_t lineCount = 0;
    int32_t gameCount = 0;
    int32_t eventCount = 0;
    bool pageFinished = false;  // SAVE has put the credit line and the footer on the page
    SaveOutcome lastSave = SaveOutcome::Cancelled;
};

// A missing log: a message ("File does not exist") and the run stops with nothing changed,
// as in the window; or an error naming the file, as in the batch.
enum class MissingLog { StopWithMessage, Fail };

struct RunOptions {
    std::string folder;  // the program folder: the log, head.txt, foot.txt, aliases.txt
    SettingsValues settings;
    bool showDetails = false;  // PARSE adds a details line per event
    // The window: PARSE shows the events in run.eventTable (writing its work file); HTML takes
    // them back from that table, with whatever the user edited there, and leaves on it the
    // kept names, the pruning and the views counting has always left. Without, the table
    // stays empty.
    bool showEvents = false;
    bool mapLog = false;               // LOAD maps the log file where it can, Memo1 staying empty
    bool rosterForMerging = false;     // HTML ends with the roster, for the merge window
    bool saveToDefaultFolder = false;  // SAVE to the save folder's index.html, else the save dialog
    std::string version;               // the product version of the credit line
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };  // "Updated @"
    MissingLog missingLog = MissingLog::StopWithMessage;
    // When set and a file there exists, a log without a single game event stops the run
    // after PARSE: a scheduled run must not replace the clan's page by an empty one.
    std::string pageToKeepWithoutGames;
    std::function<void(Step)> beforeStep;
    std::function<void(Step)> afterStep;
    // Asked before each step: true ends the run there, whole steps done and none begun
    // (the window is being closed).
    std::function<bool()> stopRequested;
    // What the kept names did; the window and the batch tell it differently.
    std::function<void(const KeptNamesRun&)> reportKeptNames;
    // When set, HTML renames by these rules instead of reading aliases.txt in `folder`.
    const AliasList* keptRules = nullptr;
    // When set, HTML takes the kept names' report and the counts (it fills the Statistics)
    // from it instead of renaming and counting the events, which are not read.
    std::function<KeptNamesRun(Statistics&)> countStatistics;
    // On a page over several servers: which servers and how many games each (the header).
    std::string servers;
};

// Runs the steps in the order given. False when the log is missing and the options say
// to stop (then nothing has changed); true when they ran or a stop was requested; any
// failure throws gravmark::Error.
bool runSteps(PageRun& run, std::initializer_list<Step> steps, const RunOptions& options, Progress& progress);

inline constexpr std::initializer_list<Step> kAllSteps{Step::Load, Step::Parse, Step::Html, Step::Save};

// Whether HTML reads the events themselves, beyond the counts: the player pages and the
// export list them, and the ratings are taken from them wherever a site shows them. A run
// that hands in its counts (RunOptions::countStatistics) must hand in the events instead.
bool pageReadsEveryEvent(const SettingsValues& settings);

// Throws "The log holds no games; the page was not replaced." when the run holds no event
// and options.pageToKeepWithoutGames names a file that exists.
void keepPageWithoutGames(const PageRun& run, const RunOptions& options);

}  // namespace gravmark
