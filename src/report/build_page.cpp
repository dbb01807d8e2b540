#include "report/build_page.h"

#include <QLocale>
#include <array>
#include <string>
#include <string_view>

#include "common/text_box_lines.h"
#include "report/player_row_html.h"
#include "report/read_template.h"
#include "report/update_time.h"
#include "table/record_table.h"

namespace gravmark {

namespace {

struct MedalCells {
    std::string_view header;
    std::string_view picture;
    std::string MedalWinners::*winner;
};

// Page order, which is also the order of the medal check boxes.
const std::array<MedalCells, 7> kMedalCells = {{
    {"<td align=center><b>#1<BR>KILLER</b></td>", "medal_pro_killer.png", &MedalWinners::killer},
    {"<td align=center><b>#1<BR>HEADSHOOTER</b></td>", "medal_pro_headshot.png", &MedalWinners::headshooter},
    {"<td align=center><b>#1<BR>SHOT IN<BR>THE HEAD</b></td>", "medal_pro_headshotR.png",
     &MedalWinners::shotInTheHead},
    {"<td align=center><b>#1<BR>TARGET</b></td>", "medal_anti_no1target.png", &MedalWinners::target},
    {"<td align=center><b>#1 KILLER<BR>USING TNT</b></td>", "medal_tnt_killer_small.png", &MedalWinners::tnt},
    {"<td align=center><b>#1 KILLER<BR>USING GRENADES</b></td>", "medal_grenade_killer_small.png",
     &MedalWinners::grenades},
    // The bold tag of this header stays open; pages have always been written so.
    {"<td align=center><b>#1<BR>SUICIDAL<BR>DUDE</td>", "medal_anti_suicide.png", &MedalWinners::suicide},
}};

constexpr std::string_view kStatisticsHeader =
    "<TABLE align=center border=1><TR><td><b>KILLS</b></TD><TD><B>NICKNAAM</B></TD><TD><B>TIMES "
    "KILLED</B></TD><TD><b>GAMES PLAYED</b></td><td><b>KILLS PER GAME</b></td><td><b>RATIO "
    "KILLS/KILLED</b></td>";

// Newer locale data puts a narrow no-break space before AM/PM, which 8-bit text lacks:
// it becomes a no-break space, as in the numbers of the player table.
std::string eightBit(QString text) {
    return text.replace(QChar(0x202F), QChar(0xA0)).toLatin1().toStdString();
}

std::string headerLine(const PageInputs& inputs) {
    return "<center><font size=-1>Updated @ " + eightBit(updateTime(inputs.updated)) +
           ".</font><BR># of lines parsed : " + std::to_string(inputs.lineCount) +
           "<BR>Total Games actually played : " + std::to_string(inputs.playedTotal) +
           (inputs.servers.empty() ? "" : "<BR>Servers : " + inputs.servers) + "</center><BR>";
}

void addMedalTable(const PageInputs& inputs, TextBoxLines& page) {
    page.addLine("<table align=center cellspacing=5 border=0><tr>");
    for (size_t i = 0; i < kMedalCells.size(); ++i) {
        if (inputs.medals[i]) page.addLine(kMedalCells[i].header);
    }
    page.addLine("</TR><TR>");
    for (size_t i = 0; i < kMedalCells.size(); ++i) {
        if (!inputs.medals[i]) continue;
        const MedalCells& medal = kMedalCells[i];
        std::string cell = "<td align=center><img src=";
        cell.append(medal.picture).append("><BR><font color=#FF0000 size=+1><b>");
        cell.append(inputs.winners.*medal.winner).append("</b></font></td>");
        page.addLine(cell);
    }
    page.addLine("</tr></table><hr>");
}

// The rows in the player table's order, read by row number (asking a table for its current
// row is a search of its view). The table is left as a walk through it has always left it:
// its last record current, past the end.
void addStatisticsTable(const PageInputs& inputs, TextBoxLines& page) {
    page.addLine(kStatisticsHeader);
    page.addLine("</TR>");
    RecordTable& playerTable = inputs.playerTable;
    playerTable.first();
    const int rows = playerTable.viewSize();
    for (int shown = 0; shown < rows; ++shown) {
        const PlayerRowHtml& row = inputs.rowsHtml.at(playerTable.viewRecordNumber(shown));
        page.addLine(inputs.playerLinks.empty() ? row.whole()
                                                : row.linkedTo(inputs.playerLinks.at(size_t(shown))));
    }
    if (rows > 0) {
        playerTable.last();
        playerTable.next();
    }
    page.addLine("</table>");
}

}  // namespace

void buildPage(const PageInputs& inputs, TextBoxLines& page, TextBoxLines& foot) {
    page.clear();
    foot.clear();
    readTemplate(inputs.programFolder + "head.txt", page);
    readTemplate(inputs.programFolder + "foot.txt", foot);
    page.addLine(headerLine(inputs));
    addMedalTable(inputs, page);
    addStatisticsTable(inputs, page);
}

}  // namespace gravmark
