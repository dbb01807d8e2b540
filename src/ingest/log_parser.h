#pragma once
// PARSE: the lines of the log (the line store, Memo1, or a mapped log) become join and kill
// events as plain values. Buttons and the check box are the window's business; this is the work.
#include <cstdint>
#include <string>
#include <string_view>

#include "ingest/line_scanner.h"
#include "table/game_events.h"

namespace gravmark {

class PlayerIdCounts;
class Progress;
class TextBoxLines;

// Field n - 1 of the line: the text strictly between the (n - 2)-th and the (n - 1)-th
// delimiter, the start of the line standing in for the 0-th. Empty when the line has
// fewer than n - 1 delimiters (or n < 2); text after the last delimiter is never returned.
std::string fieldAt(std::string_view line, char delimiter, int n);

// Walks every line of logLines (read through line(i)), appends one event per join and kill
// line to `events` in log order, and adds a details line per event to detailLines when
// showDetails is set. `events` is emptied first, so a second PARSE in the same run never
// counts the earlier events again. gameCount holds the game counter after every line.
// With `ids`, the events of each (player id, name) pair are counted there afresh.
// Returns the number of events stored.
int32_t parseLog(const TextBoxLines& logLines, GameEvents& events, bool showDetails,
                 TextBoxLines& detailLines, Progress& progress, int32_t& gameCount,
                 PlayerIdCounts* ids = nullptr);
// The same over lines kept elsewhere (a mapped log file).
int32_t parseLog(const ScanLines& logLines, GameEvents& events, bool showDetails, TextBoxLines& detailLines,
                 Progress& progress, int32_t& gameCount, PlayerIdCounts* ids = nullptr);

// PARSE continued over `lines`, which follow a log whose events `events` already holds: their
// join and kill events are appended after those, as parseLog appends them (`events` is not
// emptied), with the game counter, map and game type read on from `state`;
// `ids` counts on. Returns the number of events stored and leaves in `state` the state
// after the last line, its views pointing into `lines` or where they pointed before.
int32_t appendLogEvents(const TextBoxLines& lines, GameEvents& events, ScanState& state, PlayerIdCounts* ids);

}  // namespace gravmark
