#pragma once
// What the statistics page is made of, gathered by the HTML step.
#include <QDateTime>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "report/player_row_html.h"
#include "stats/medal_winners.h"

namespace gravmark {

class RecordTable;

struct PageInputs {
    // The folder of "head.txt" and "foot.txt", ending in a separator.
    std::string programFolder;
    // The "Updated @" time, in the local time of the run.
    QDateTime updated;
    int32_t lineCount = 0;
    int32_t playedTotal = 0;
    // The medal check boxes of the settings window, CheckBox1..CheckBox7 in order:
    // Killer, Headshooter, Shot in the head, Target, TNT, Grenades, Suicide.
    std::array<bool, 7> medals{};
    MedalWinners winners;
    // The player table, ordered as the rows go on the page; its record n is rowsHtml[n].
    RecordTable& playerTable;
    const std::vector<PlayerRowHtml>& rowsHtml;
    // With player pages: the address of each row's page, in page order; the name cells link
    // to them. Empty: the names are not links.
    std::vector<std::string> playerLinks = {};
    // A page over several servers: which servers and how many games each, shown under the
    // totals. Empty on a server's own page.
    std::string servers = {};
};

}  // namespace gravmark
