// Player names full of colour codes, markup and quotes still give a page whose every tag
// and entity is whole and whose every row has its six cells.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "page_of_log.h"

namespace gravmark {
namespace {

const std::vector<std::string> kHostileNames = {
    "^1^2^3^4^5^6^7^8^9^0^1^2^3^4^5^6^7^8^9^0",  // 40 characters, 20 colour tags
    std::string(40, '&'),
    std::string(40, '"'),
    "<script>alert(\"x\")</script>^5<b>&amp</td>",  // a log name holds no ";"
    "^^11''<>&<>&<>&<>&<>&<>&<>&<>&<>&<>&<>&<>&^",  // longer than the event table's 40
    "^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5^5",
};

std::string hostileLog() {
    std::ostringstream log;
    log << "  0:00 InitGame: \\g_gametype\\dm\\gamename\\X\\mapname\\mp_harbor\\protocol\\6\n";
    for (size_t i = 0; i < kHostileNames.size(); ++i) {
        log << "  0:01 J;guid" << i << ';' << i << ';' << kHostileNames[i] << '\n';
    }
    // Each kills the next; the first also throws a grenade and plants a bomb, so that the
    // medals go to hostile names too.
    for (size_t i = 0; i < kHostileNames.size(); ++i) {
        const std::string& victim = kHostileNames[(i + 1) % kHostileNames.size()];
        for (size_t k = 0; k <= i; ++k) {
            log << "  0:02 K;guidv;1;axis;" << victim << ";guid" << i << ';' << i << ";allies;" << kHostileNames[i]
                << ";kar98_mp;100;MOD_HEAD_SHOT;head\n";
        }
    }
    log << "  0:03 K;guid0;0;axis;" << kHostileNames[0] << ";guid0;0;axis;" << kHostileNames[0]
        << ";tnt_bomb_mp;100;MOD_SUICIDE;none\n";
    log << "  0:03 K;guid1;1;axis;" << kHostileNames[1] << ";guid0;0;allies;" << kHostileNames[0]
        << ";frag_grenade_mp;100;MOD_GRENADE_SPLASH;none\n";
    return log.str();
}

// Every "<" opens a whole tag of the page's tables (the colour tags among them) and every
// "&" a whole entity; the text between them holds neither.
bool hasWholeTagsAndEntities(const std::string& html) {
    static const std::regex tag(
        "/?tr|/?td|td align=center|/?b|BR|/font|img src=[a-zA-Z0-9_]+\\.png|font color=#FF0000 size=\\+1|"
        "font color=(gray|red|green|yellow|blue|lightblue|pink|black|darkblue|darkred)");
    for (size_t at = 0; at < html.size();) {
        if (html[at] == '<') {
            const size_t end = html.find('>', at);
            if (end == std::string::npos || !std::regex_match(html.substr(at + 1, end - at - 1), tag)) return false;
            at = end + 1;
        } else if (html[at] == '&') {
            const std::string_view rest = std::string_view(html).substr(at);
            const size_t length = rest.starts_with("&amp;")                              ? 5
                                  : rest.starts_with("&lt;") || rest.starts_with("&gt;") ? 4
                                  : rest.starts_with("&quot;")                           ? 6
                                                                                         : 0;
            if (length == 0) return false;
            at += length;
        } else if (html[at] == '>') {
            return false;
        } else {
            ++at;
        }
    }
    return true;
}

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(HostileNames, EveryRowKeepsItsSixWholeCellsAndEveryMedalNameIsWhole) {
    test::TempFolder folder;
    test::writeFile(folder.file("games_mp.log"), hostileLog());
    test::savePageOfLog(folder.file("games_mp.log"), folder);
    std::istringstream page(test::readFile(folder.file("index.html")));

    int rows = 0;
    int medalCells = 0;
    for (std::string line; std::getline(page, line);) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        if (line.starts_with("<tr><td>")) {
            ++rows;
            EXPECT_TRUE(line.ends_with("</td></tr>")) << line;
            EXPECT_EQ(countOf(line, "<td>"), 6) << line;
            EXPECT_EQ(countOf(line, "</td>"), 6) << line;
            EXPECT_TRUE(hasWholeTagsAndEntities(line)) << line;
        } else if (line.starts_with("<td align=center><img src=")) {
            ++medalCells;
            EXPECT_TRUE(line.ends_with("</b></font></td>")) << line;
            EXPECT_TRUE(hasWholeTagsAndEntities(line)) << line;
        }
    }
    EXPECT_EQ(rows, static_cast<int>(kHostileNames.size()));
    EXPECT_EQ(medalCells, 7);
}

}  // namespace
}  // namespace gravmark
