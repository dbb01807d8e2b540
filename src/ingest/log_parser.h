#pragma once
// PARSE: the lines of the line store (Memo1) become join and kill records of the event
// table `db`. Buttons and the check box are the window's business; this is the work.
#include <cstdint>
#include <string>
#include <string_view>

namespace gravmark {

class PlayerIdCounts;
class Progress;
class RecordTable;
class TextBoxLines;

// Field n - 1 of the line: the text strictly between the (n - 2)-th and the (n - 1)-th
// delimiter, the start of the line standing in for the 0-th. Empty when the line has
// fewer than n - 1 delimiters (or n < 2); text after the last delimiter is never returned.
std::string fieldAt(std::string_view line, char delimiter, int n);

// Walks every line of memo1 (read through line(i)), stores one record per join and kill
// line in db, and adds a details line per stored record to memo2 when showDetails is set.
// db is emptied first, so a second PARSE in the same run never counts the earlier events
// again. gameCount holds the game counter after every line. At the end db is as closing
// and opening it again gives: its work file written, its records as the file holds them.
// With `ids`, the events of each (player id, name) pair are counted there afresh.
// Returns the number of records stored.
int32_t parseLog(const TextBoxLines& memo1, RecordTable& db, bool showDetails, TextBoxLines& memo2,
                 Progress& progress, int32_t& gameCount, PlayerIdCounts* ids = nullptr);

}  // namespace gravmark
