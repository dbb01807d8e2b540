#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/error.h"
#include "names/alias_list.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::readFile;
using test::writeFile;

class AliasListFile : public ::testing::Test {
protected:
    AliasList readText(std::string_view text) {
        writeFile(path, text);
        return AliasList::read(path);
    }

    test::TempFolder folder;
    const std::string path = AliasList::fileName(folder.folder());
};

std::vector<std::pair<std::string, std::string>> pairs(const AliasList& list) {
    std::vector<std::pair<std::string, std::string>> result;
    for (const AliasRule& rule : list.rules()) result.emplace_back(rule.alias, rule.kept);
    return result;
}

TEST_F(AliasListFile, ReadsRulesEscapesCommentsAndBothLineEnds) {
    const AliasList list = readText(
        "# kept names\r\n"
        "\r\n"
        "Bob2\tBob\r\n"
        "a\\tb\\\\c\tKept\\\\\n"
        "\xe9l\xe8ve\t\xc3\xa9tudiant\n"
        "  spaced \t kept ");
    EXPECT_TRUE(list.problems().empty());
    EXPECT_EQ(pairs(list), (std::vector<std::pair<std::string, std::string>>{
                               {"Bob2", "Bob"},
                               {"a\tb\\c", "Kept\\"},
                               {"\xe9l\xe8ve", "\xc3\xa9tudiant"},
                               {"  spaced ", " kept "}}));
    EXPECT_TRUE(AliasList::read(folder.file("missing.txt")).rules().empty());
}

// An editor's UTF-8 byte-order mark belongs to no rule, and a rewrite keeps it.
TEST_F(AliasListFile, AByteOrderMarkIsSkippedAndKept) {
    AliasList list = readText("\xEF\xBB\xBF" "Bob2\tBob\r\n");
    EXPECT_TRUE(list.problems().empty());
    EXPECT_EQ(pairs(list), (std::vector<std::pair<std::string, std::string>>{{"Bob2", "Bob"}}));
    list.keep("Al", "Bob");
    list.write(path);
    EXPECT_EQ(readFile(path), "\xEF\xBB\xBF" "Bob2\tBob\r\nAl\tBob\r\n");

    // A name that begins with the mark's bytes, kept first in a file without a mark, reads
    // back whole.
    AliasList marked = readText("");
    marked.keep("\xEF\xBB\xBF" "Al", "Bob");
    marked.write(path);
    EXPECT_EQ(pairs(AliasList::read(path)),
              (std::vector<std::pair<std::string, std::string>>{{"\xEF\xBB\xBF" "Al", "Bob"}}));
}

// Bad lines are reported with their number, take no effect, and survive a rewrite.
TEST_F(AliasListFile, ReportsBadLinesAndKeepsThemWhenWriting) {
    const std::string longName(45, 'L');
    AliasList list = readText(
        "\t\n"                        // 1: only a separator
        "\tKept\n"                    // 2: empty alias
        "Alias\t\n"                   // 3: empty kept name
        "NoSeparator\n"               // 4
        "a\tb\tc\n"                   // 5
        "bad\\escape\tX\n"            // 6
        "Twice\tFirst\n"              // 7
        "Twice\tSecond\n"             // 8: a second rule for one alias
        "Same\tSame\n"                // 9
        "p\tq\n"                      // 10
        "q\tr\n"                      // 11
        "r\tp\n"                      // 12: closes a cycle
        + longName + "\tShort\n");    // 13: cut to 40 bytes
    ASSERT_EQ(list.problems().size(), 10u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(list.problems()[i].rfind("aliases.txt line " + std::to_string(i + 1) + ": ", 0), 0u)
            << list.problems()[i];
    }
    EXPECT_NE(list.problems()[6].find("line 8: a second rule for \"Twice\"; the rule of line 7 holds"),
              std::string::npos);
    EXPECT_NE(list.problems()[7].find("line 9: "), std::string::npos);
    EXPECT_NE(list.problems()[8].find("line 12: \"r\" -> \"p\" would make a cycle"), std::string::npos);
    EXPECT_NE(list.problems()[9].find("line 13: "), std::string::npos);
    EXPECT_NE(list.problems()[9].find(std::string(40, 'L') + "\""), std::string::npos);
    EXPECT_EQ(pairs(list), (std::vector<std::pair<std::string, std::string>>{
                               {"Twice", "First"}, {"p", "q"}, {"q", "r"}, {std::string(40, 'L'), "Short"}}));

    const std::string before = readFile(path);
    ASSERT_FALSE(list.keep("New", "Kept"));
    list.write(path);
    std::string expected;
    for (size_t at = 0, end; (end = before.find('\n', at)) != std::string::npos; at = end + 1) {
        expected += before.substr(at, end - at) + "\r\n";
    }
    EXPECT_EQ(readFile(path), expected + "New\tKept\r\n");
}

TEST_F(AliasListFile, ChainsResolveWhateverTheOrderOfTheLines) {
    const AliasList list = readText("b\tc\na\tb\nc\td\nx\tc\n");
    const NameRenames names = list.finalNames();
    EXPECT_EQ(names, (NameRenames{{"a", "d"}, {"b", "d"}, {"c", "d"}, {"x", "d"}}));
}

TEST_F(AliasListFile, KeepReplacesRemovesAndRefusesCycles) {
    AliasList list = readText("# mine\nA\tB\nB\tC\n");
    EXPECT_FALSE(list.keep("A", "D"));  // replaces the rule in its line
    const std::optional<std::string> refused = list.keep("D", "A");
    ASSERT_TRUE(refused);
    EXPECT_EQ(*refused, "\"D\" -> \"A\" was not kept: it would make a cycle of names.");
    EXPECT_TRUE(list.keep("C", "C"));
    EXPECT_TRUE(list.keep("", "C"));
    EXPECT_TRUE(list.keep("line\nbreak", "C"));
    EXPECT_TRUE(list.keep("C", std::string("nul\0", 4)));
    EXPECT_FALSE(list.keep("tab\tname", "back\\slash"));
    EXPECT_FALSE(list.keep("#1 Sniper", "#Sniper"));  // not a comment when written
    EXPECT_TRUE(list.remove("B"));
    EXPECT_FALSE(list.remove("B"));
    list.write(path);
    EXPECT_EQ(readFile(path), "# mine\r\nA\tD\r\ntab\\tname\tback\\\\slash\r\n\\#1 Sniper\t#Sniper\r\n");
    const AliasList again = AliasList::read(path);
    EXPECT_EQ(pairs(again), (std::vector<std::pair<std::string, std::string>>{
                                {"A", "D"}, {"tab\tname", "back\\slash"}, {"#1 Sniper", "#Sniper"}}));
}

TEST_F(AliasListFile, WhatTheListHoldsIsWhatTheWrittenFileGives) {
    // Line 2 closes a cycle through line 1 and line 4 is a second rule for "x": neither is in
    // force. Replacing line 1 would free line 2, so it is refused; removing "x" takes line 4
    // with it.
    AliasList list = readText("c\tb\nb\tc\nx\ty\nx\tz\n");
    const std::optional<std::string> refused = list.keep("c", "d");
    ASSERT_TRUE(refused);
    EXPECT_EQ(*refused,
              "\"c\" -> \"d\" was not kept: it would bring line 2 of aliases.txt into force; mend or "
              "remove that line first.");
    EXPECT_EQ(pairs(list), (std::vector<std::pair<std::string, std::string>>{{"c", "b"}, {"x", "y"}}));
    EXPECT_EQ(list.problems().size(), 2u);

    EXPECT_FALSE(list.keep("b", "d"));  // a new rule goes last and frees nothing
    EXPECT_TRUE(list.remove("x"));
    list.write(path);
    EXPECT_EQ(readFile(path), "c\tb\r\nb\tc\r\nb\td\r\n");
    const AliasList again = AliasList::read(path);
    EXPECT_EQ(again.finalNames(), list.finalNames());
    EXPECT_EQ(again.problems(), list.problems());
    EXPECT_EQ(list.finalNames(), (NameRenames{{"b", "d"}, {"c", "d"}}));
}

TEST_F(AliasListFile, AFileThatCannotBeWrittenStaysAsItWas) {
    AliasList list = readText("A\tB\n");
    ASSERT_FALSE(list.keep("C", "D"));
    EXPECT_THROW(list.write(folder.file("aliases.txt/aliases.txt")), Error);  // not a folder
    if (geteuid() == 0) return;  // root writes into read-only folders
    ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
    EXPECT_THROW(list.write(path), Error);
    chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(readFile(path), "A\tB\n");
}

TEST_F(AliasListFile, AHundredThousandRules) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "alias" + std::to_string(i) + "\tkept" + std::to_string(i % 100) + "\n";
    // One long chain, written backwards, resolves too.
    for (int i = 2000; i > 0; --i) text += "chain" + std::to_string(i) + "\tchain" + std::to_string(i - 1) + "\n";
    const AliasList list = readText(text);
    EXPECT_TRUE(list.problems().empty());
    const NameRenames names = list.finalNames();
    EXPECT_EQ(names.size(), 102000u);
    EXPECT_EQ(names.at("alias99999"), "kept99");
    EXPECT_EQ(names.at("chain2000"), "chain0");
}

}  // namespace
}  // namespace gravmark
