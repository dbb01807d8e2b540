#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "common/text_box_lines.h"
#include "report/build_page.h"
#include "report/player_row_html.h"
#include "support/box_lines.h"
#include "support/temp_folder.h"
#include "table/player_table_fields.h"

namespace gravmark {
namespace {

using test::linesOf;
using test::TempFolder;
using test::writeFile;

const std::string kStatisticsHeader =
    "<TABLE align=center border=1><TR><td><b>KILLS</b></TD><TD><B>NICKNAAM</B></TD><TD><B>TIMES "
    "KILLED</B></TD><TD><b>GAMES PLAYED</b></td><td><b>KILLS PER GAME</b></td><td><b>RATIO "
    "KILLS/KILLED</b></td>";

struct PageRun {
    TempFolder folder;
    RecordTable tempdb;
    std::vector<PlayerRowHtml> rows;
    PageInputs inputs{
        folder.folder(), QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC), 1200, 17, {}, {}, tempdb, rows};
    TextBoxLines memo1;
    TextBoxLines memo2;

    PageRun() {
        tempdb.setFieldDefs(playerTableFields());
        tempdb.setFileName(folder.file("temp.xml"));
        tempdb.createDataSet();
        inputs.winners = {"Killer", "Head", "Shot", "Target", "Tnt", "Nade", "Dude"};
        memo1.addLine("log line;");
        memo2.addLine("details");
    }

    void build() { buildPage(inputs, memo1, memo2); }

    void addPlayer(const std::string& name, int32_t kills) {
        tempdb.insert();
        tempdb.setInteger("kills", kills);
        tempdb.post();
        rows.push_back(playerRowHtml({.name = name, .kills = kills}));
    }
};

const std::string kHeaderLine =
    "<center><font size=-1>Updated @ 3/5/24 2:07:09 PM UTC.</font><BR># of lines parsed : 1200<BR>Total "
    "Games actually played : 17</center><BR>";

TEST(BuildPage, WithoutTemplatesOrMedalsTheFrameAlone) {
    PageRun run;
    run.build();
    const std::vector<std::string> expected = {
        kHeaderLine,       "<table align=center cellspacing=5 border=0><tr>",
        "</TR><TR>",       "</tr></table><hr>",
        kStatisticsHeader, "</TR>",
        "</table>"};
    EXPECT_EQ(linesOf(run.memo1), expected);
    EXPECT_TRUE(run.memo1.endsWithLineBreak());
    EXPECT_TRUE(run.memo2.empty());
}

TEST(BuildPage, MidnightShowsTheDateAlone) {
    PageRun run;
    run.inputs.updated = QDateTime(QDate(2024, 12, 31), QTime(0, 0, 0), Qt::UTC);
    run.build();
    EXPECT_EQ(run.memo1.line(0),
              "<center><font size=-1>Updated @ 12/31/24.</font><BR># of lines parsed : 1200<BR>Total Games "
              "actually played : 17</center><BR>");
    run.inputs.updated = QDateTime(QDate(2024, 12, 31), QTime(0, 0, 1), Qt::UTC);
    run.build();
    EXPECT_NE(run.memo1.line(0).find("Updated @ 12/31/24 12:00:01 AM UTC.</font>"), std::string::npos);
}

TEST(BuildPage, TemplatesAreReadWholeWithBreaksNormalised) {
    using namespace std::string_view_literals;
    {
        PageRun onlyFoot;
        writeFile(onlyFoot.folder.file("foot.txt"), "f1\rf2\nf3\r\n\n\r\nf6\0ignored\r\n"sv);
        onlyFoot.build();
        EXPECT_EQ(onlyFoot.memo1.line(0), kHeaderLine);
        EXPECT_EQ(linesOf(onlyFoot.memo2), (std::vector<std::string>{"f1", "f2", "f3", "", "", "f6"}));
    }
    {
        PageRun onlyHead;
        writeFile(onlyHead.folder.file("head.txt"), "<html>\n<body>\n"sv);
        onlyHead.build();
        EXPECT_EQ(onlyHead.memo1.line(0), "<html>");
        EXPECT_EQ(onlyHead.memo1.line(1), "<body>");
        EXPECT_EQ(onlyHead.memo1.line(2), kHeaderLine);
        EXPECT_TRUE(onlyHead.memo1.endsWithLineBreak());
        EXPECT_TRUE(onlyHead.memo2.empty());
    }
    {
        // A head without a final line break: each added line goes after a break of its
        // own, so the page's last line ends without one.
        PageRun unterminated;
        writeFile(unterminated.folder.file("head.txt"), "<body>"sv);
        unterminated.build();
        EXPECT_EQ(unterminated.memo1.line(1), kHeaderLine);
        const std::string text = unterminated.memo1.text();
        EXPECT_EQ(text.substr(0, 8), "<body>\r\n");
        EXPECT_EQ(text.substr(text.size() - 10), "\r\n</table>");
    }
    {
        // Something named like a template that is not a file is no template.
        PageRun folderNamedHead;
        std::filesystem::create_directory(folderNamedHead.folder.file("head.txt"));
        folderNamedHead.build();
        EXPECT_EQ(folderNamedHead.memo1.line(0), kHeaderLine);
    }
}

TEST(BuildPage, UnreadableTemplateStopsWithTheSystemReason) {
    PageRun run;
    // A file that opens but cannot be read, whoever runs the test.
    const std::string head = run.folder.file("head.txt");
    std::filesystem::create_symlink("/proc/self/mem", head);
    try {
        run.build();
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + head + "\". Input/output error");
    }
    EXPECT_TRUE(run.memo1.empty());
}

TEST(BuildPage, MedalTableListsTheTickedMedalsInPageOrder) {
    PageRun all;
    all.inputs.medals = {true, true, true, true, true, true, true};
    all.build();
    const std::vector<std::string> lines = linesOf(all.memo1);
    const std::string prefix = "<td align=center><img src=";
    const std::string middle = "><BR><font color=#FF0000 size=+1><b>";
    const std::vector<std::string> expected = {
        "<table align=center cellspacing=5 border=0><tr>",
        "<td align=center><b>#1<BR>KILLER</b></td>",
        "<td align=center><b>#1<BR>HEADSHOOTER</b></td>",
        "<td align=center><b>#1<BR>SHOT IN<BR>THE HEAD</b></td>",
        "<td align=center><b>#1<BR>TARGET</b></td>",
        "<td align=center><b>#1 KILLER<BR>USING TNT</b></td>",
        "<td align=center><b>#1 KILLER<BR>USING GRENADES</b></td>",
        "<td align=center><b>#1<BR>SUICIDAL<BR>DUDE</td>",
        "</TR><TR>",
        prefix + "medal_pro_killer.png" + middle + "Killer</b></font></td>",
        prefix + "medal_pro_headshot.png" + middle + "Head</b></font></td>",
        prefix + "medal_pro_headshotR.png" + middle + "Shot</b></font></td>",
        prefix + "medal_anti_no1target.png" + middle + "Target</b></font></td>",
        prefix + "medal_tnt_killer_small.png" + middle + "Tnt</b></font></td>",
        prefix + "medal_grenade_killer_small.png" + middle + "Nade</b></font></td>",
        prefix + "medal_anti_suicide.png" + middle + "Dude</b></font></td>",
        "</tr></table><hr>",
    };
    ASSERT_EQ(lines.size(), 1 + expected.size() + 3);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 1 + expected.size()), expected);

    // The settings' defaults: every medal but TNT.
    PageRun defaults;
    defaults.inputs.medals = {true, true, true, true, false, true, true};
    defaults.build();
    const std::vector<std::string> six = linesOf(defaults.memo1);
    ASSERT_EQ(six.size(), lines.size() - 2);
    EXPECT_EQ(six[6], "<td align=center><b>#1 KILLER<BR>USING GRENADES</b></td>");
    EXPECT_EQ(six[13], prefix + "medal_grenade_killer_small.png" + middle + "Nade</b></font></td>");
    for (const auto& line : six) EXPECT_EQ(line.find("TNT"), std::string::npos) << line;
    for (const auto& line : six) EXPECT_EQ(line.find("tnt"), std::string::npos) << line;
}

TEST(BuildPage, OneRowPerPlayerInTheTablesOrder) {
    PageRun run;
    run.addPlayer("Cy", 3);
    run.addPlayer("Ace", 9);
    run.addPlayer("Bea", 5);
    run.tempdb.addIndex("kills__IdxD", "kills", true);
    run.tempdb.setIndexName("kills__IdxD");
    run.build();
    const std::vector<std::string> lines = linesOf(run.memo1);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[4], kStatisticsHeader);
    EXPECT_EQ(lines[5], "</TR>");
    EXPECT_EQ(lines[6], "<tr><td>9</td><td>Ace</td><td>0</td><td>1</td><td>0</td><td>999.0000</td></tr>");
    EXPECT_EQ(lines[7], "<tr><td>5</td><td>Bea</td><td>0</td><td>1</td><td>0</td><td>999.0000</td></tr>");
    EXPECT_EQ(lines[8], "<tr><td>3</td><td>Cy</td><td>0</td><td>1</td><td>0</td><td>999.0000</td></tr>");
    EXPECT_EQ(lines[9], "</table>");
}

}  // namespace
}  // namespace gravmark
