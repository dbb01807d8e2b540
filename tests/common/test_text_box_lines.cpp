#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/text_box_lines.h"
#include "support/box_lines.h"

namespace gravmark {
namespace {

using namespace std::string_literals;
using Pos = TextBoxLines::Position;
using test::linesOf;

TEST(TextBoxLines, SetTextCutsAtNulAndMakesEveryBreakCrLf) {
    TextBoxLines box;
    box.setText("a\r\nb\rc\nd\n\re");
    EXPECT_EQ(linesOf(box), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(box.text(), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_FALSE(box.endsWithLineBreak());

    box.setText("ab\ncd\0ef\n"s);
    EXPECT_EQ(linesOf(box), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_EQ(box.text(), "ab\r\ncd");

    box.setText("x\n\n");
    EXPECT_EQ(linesOf(box), (std::vector<std::string>{"x", ""}));
    EXPECT_TRUE(box.endsWithLineBreak());
    EXPECT_EQ(box.rowCount(), 3u);  // the box shows an empty row after the final break

    box.setText("\0abc"s);
    EXPECT_TRUE(box.empty());
    EXPECT_EQ(box.lineCount(), 0u);
    EXPECT_EQ(box.text(), "");
}

TEST(TextBoxLines, AddLineAndInsertFirstLineFollowTheBreakRules) {
    TextBoxLines box;
    box.addLine("x");
    EXPECT_EQ(box.text(), "x\r\n");

    box.setText("a");
    box.addLine("b");  // no final break: CR LF + S
    EXPECT_EQ(box.text(), "a\r\nb");
    box.addLine("");  // leaves the text ending in a break, which is no extra line
    EXPECT_EQ(box.text(), "a\r\nb\r\n");
    EXPECT_EQ(linesOf(box), (std::vector<std::string>{"a", "b"}));
    box.addLine("c");
    EXPECT_EQ(box.text(), "a\r\nb\r\nc\r\n");

    TextBoxLines first;
    first.insertFirstLine("s");
    EXPECT_EQ(first.text(), "s\r\n");
    first.setText("a");
    first.insertFirstLine("s");
    EXPECT_EQ(first.text(), "s\r\na");
    EXPECT_EQ(first.lineCount(), 2u);

    first.clear();
    first.addLine("");
    EXPECT_EQ(first.text(), "\r\n");
    EXPECT_EQ(first.lineCount(), 1u);
}

TEST(TextBoxLines, ReadingALineGivesAtMost4096CharactersAndKeepsNul) {
    TextBoxLines box;
    const std::string longLine(5000, 'q');
    box.addLine(longLine);
    box.addLine("a\0b;"s);
    EXPECT_EQ(box.line(0).size(), 4096u);
    EXPECT_EQ(box.fullLine(0), longLine);
    EXPECT_EQ(box.line(1), "a\0b;"s);
    EXPECT_EQ(box.text(), longLine + "\r\na\0b;\r\n"s);
    std::ostringstream written;
    box.writeText(written);
    EXPECT_EQ(written.str(), box.text());
    EXPECT_THROW(box.line(2), std::out_of_range);
}

TEST(TextBoxLines, EditingByRangeSplitsAndJoinsRows) {
    TextBoxLines box;
    box.setText("hello\r\nworld\r\n");
    box.replaceRange({0, 5}, {0, 5}, "!");      // typing
    box.replaceRange({1, 0}, {1, 0}, "big\n");  // Enter inside a paste
    EXPECT_EQ(box.text(), "hello!\r\nbig\r\nworld\r\n");
    box.replaceRange({0, 6}, {1, 0}, "");  // Delete at the end of a row joins the next
    EXPECT_EQ(box.text(), "hello!big\r\nworld\r\n");
    EXPECT_EQ(box.textBetween({0, 3}, {1, 2}), "lo!big\r\nwo");
    box.replaceRange({1, 5}, {2, 0}, "");  // the final break goes: the text ends in a line
    EXPECT_EQ(box.text(), "hello!big\r\nworld");
    EXPECT_EQ(box.lineCount(), 2u);
    box.replaceRange({0, 0}, box.endPosition(), box.row(1));  // a view of the box itself
    EXPECT_EQ(box.text(), "world");

    box.replaceLine(0, "w");
    box.insertLine(0, "v");
    box.insertLine(2, "x");
    EXPECT_EQ(box.text(), "v\r\nw\r\nx");
    box.removeLine(1);
    EXPECT_EQ(box.text(), "v\r\nx");
    EXPECT_THROW(box.replaceRange({0, 2}, {0, 2}, "z"), std::out_of_range);
}

TEST(TextBoxLines, LongestRowFollowsEdits) {
    TextBoxLines box;
    box.setText("ab\nabcd\nabc");
    EXPECT_EQ(box.longestRow(), 1u);
    box.replaceLine(2, "abcdefg");
    EXPECT_EQ(box.longestRow(), 2u);
    box.replaceLine(2, "a");
    EXPECT_EQ(box.longestRow(), 1u);
    box.insertFirstLine("0123456789");
    EXPECT_EQ(box.longestRow(), 0u);
}

TEST(TextBoxLines, AssignedLinesEqualAddedOnesWithOneNotice) {
    TextBoxLines added;
    added.setText("old");
    added.addLine("one;");
    added.clear();
    added.addLine("one;");
    added.addLine(";");

    const std::string bytes = "one;;";
    LargeBytes storage = allocateBytes(bytes.size());
    std::copy(bytes.begin(), bytes.end(), storage.get());
    TextBoxLines::Rows lines{{storage.get(), 4}, {storage.get() + 4, 1}};
    TextBoxLines assigned;
    assigned.setText("old");
    int notices = 0;
    assigned.setChangeListener([&notices] { ++notices; });
    assigned.assignLines(std::move(storage), std::move(lines));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(assigned.text(), added.text());
    assigned.addLine("Aantal Lines : 2");
    EXPECT_EQ(assigned.text(), "one;\r\n;\r\nAantal Lines : 2\r\n");
}

TEST(TextBoxLines, TakenTextMovesWithOneNoticeAndStaysEditable) {
    TextBoxLines page;
    page.addLine("<html>");
    page.addLine("a much longer line");
    TextBoxLines box;
    box.setText("log line;\r\n");
    int notices = 0;
    box.setChangeListener([&notices] { ++notices; });
    box.takeText(page);
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(page.empty());
    EXPECT_EQ(box.longestRow(), 1u);
    box.addLine("</html>");
    EXPECT_EQ(box.text(), "<html>\r\na much longer line\r\n</html>\r\n");
}

TEST(TextBoxLines, ManyAddedLinesStayIntact) {
    TextBoxLines box;
    for (int i = 0; i < 200000; ++i) box.addLine("line " + std::to_string(i) + std::string(i % 7, '.'));
    box.addLine(std::string(3 << 20, 'L'));  // a line longer than a storage block
    box.addLine("after");
    ASSERT_EQ(box.lineCount(), 200002u);
    EXPECT_EQ(box.line(0), "line 0");
    EXPECT_EQ(box.line(123456), "line 123456" + std::string(123456 % 7, '.'));
    EXPECT_EQ(box.fullLine(200000).size(), 3u << 20);
    EXPECT_EQ(box.line(200001), "after");
}

}  // namespace
}  // namespace gravmark
