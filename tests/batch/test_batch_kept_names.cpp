// gravmark-batch applies the kept names: the line with the number of rules, warnings for
// lines it cannot use and for player ids it does not use, and nothing of it with --quiet.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "batch_process.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using testing::HasSubstr;

const std::string kLanLog = std::string(GRAVMARK_REAL_LOGS) + "/server-lan-10k.log";

TEST(BatchKeptNames, AppliesRulesAndIdsAndSaysSo) {
    if (!std::filesystem::exists(kLanLog)) GTEST_SKIP() << "no real logs beside the project";
    test::TempFolder folder;
    test::writeFile(folder.file("games_mp.log"), test::readFile(kLanLog));
    test::writeFile(folder.file("aliases.txt"), "Jonny\tJohn\r\nno separator\r\nAgony\tJohn\r\n");
    test::writeFile(folder.file("GravmarkParser.INI"), "[General]\r\nmergebyid=1\r\n");
    const std::vector<std::string> arguments{"--folder", folder.folder(), "--out", folder.file("page.html")};

    test::BatchResult result = test::runBatchProcess(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.err, HasSubstr("warning: aliases.txt line 2: no TAB between the alias and the kept name\n"));
    EXPECT_THAT(result.err, HasSubstr("warning: Player ids seen with more than 5 names are not used for merging: "
                                      "d3ccc66f7b1bf9e77faead1d50a15a0a (26 names)\n"));
    // HarpienKill's id makes it Jonny, whose rule makes it John.
    EXPECT_THAT(result.err, HasSubstr("Kept names: 2 rules of aliases.txt applied, 3 names merged by player id, "));
    const std::string page = test::readFile(folder.file("page.html"));
    EXPECT_THAT(page, HasSubstr("<td>John</td>"));
    for (const char* gone : {"<td>Jonny</td>", "<td>HarpienKill</td>", "<td>Agony</td>", "<td>Link2Death</td>"}) {
        EXPECT_THAT(page, Not(HasSubstr(gone)));
    }

    test::writeFile(folder.file("GravmarkParser.INI"), "");
    result = test::runBatchProcess(arguments);
    EXPECT_THAT(result.err, HasSubstr("Kept names: 2 rules of aliases.txt applied, "));
    EXPECT_THAT(result.err, Not(HasSubstr("player id")));
    EXPECT_THAT(test::readFile(folder.file("page.html")), HasSubstr("<td>HarpienKill</td>"));

    std::vector<std::string> quiet = arguments;
    quiet.push_back("--quiet");
    result = test::runBatchProcess(quiet);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace gravmark
