#pragma once
// The player table `playerTable` (fields: playerTableFields()) written from the statistics
// rows. Its `name` and `html` fields hold the name and the row as the main page shows
// them: the "show db" grid and temp.xml show them so.
#include <vector>

#include "common/progress.h"
#include "report/player_row_html.h"
#include "stats/player_rows.h"
#include "table/record_table.h"

namespace gravmark {

// Empties `playerTable`, then adds one record per row, in the rows' order: a record's posting
// number is its row's index. Gives the rows' HTML, in the same order, for the page.
std::vector<PlayerRowHtml> fillPlayerTable(const std::vector<PlayerRow>& rows, RecordTable& playerTable,
                                           Progress& progress);

}  // namespace gravmark
