#include <gtest/gtest.h>

#include "report/colour_codes.h"
#include "report/html_escape.h"
#include "report/player_row_html.h"

namespace gravmark {
namespace {

TEST(ColourCodes, EveryDigitBecomesItsFontTag) {
    EXPECT_EQ(replaceColourCodes("^0a^1b^2c^3d^4e^5f^6g^7h^8i^9j^x^"),
              "<font color=gray>a<font color=red>b<font color=green>c<font color=yellow>d<font color=blue>e"
              "<font color=lightblue>f<font color=pink>g<font color=black>h<font color=darkblue>i"
              "<font color=darkred>j^x^");
    EXPECT_EQ(replaceColourCodes("^^11"), "^<font color=red>1");
}

TEST(HtmlEscape, MarkupCharactersBecomeEntities) {
    EXPECT_EQ(htmlEscape("<script>alert(\"x&y\")</script>'"),
              "&lt;script&gt;alert(&quot;x&amp;y&quot;)&lt;/script&gt;'");
    EXPECT_EQ(htmlEscape("^1Bob"), "^1Bob");
}

TEST(PlayerRowHtml, TheLinkWrapsTheShownNameAlone) {
    PlayerRow row;
    row.name = "^1<Bob>";
    row.kills = 12;
    row.deaths = 4;
    row.gamesPlayed = 3;
    row.killsPerGame = 4;
    row.ratio = 3;
    EXPECT_EQ(playerRowHtml(row).linkedTo("players/Bob.html"),
              "<tr><td>12</td><td><a href=\"players/Bob.html\"><font color=red>&lt;Bob&gt;</a></td><td>4</td>"
              "<td>3</td><td>4</td><td>3.0000</td></tr>");
}

}  // namespace
}  // namespace gravmark
