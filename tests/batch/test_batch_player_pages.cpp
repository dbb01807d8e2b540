// gravmark-batch with "Player pages": the pages beside the saved page, awkward names,
// and the page unchanged when the setting is off.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "batch_process.h"
#include "site/site_test_support.h"
#include "support/golden_file.h"
#include "support/real_logs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::Not;

const std::string kNow = "2026-12-09 14:30:05";
const std::string kMarkup40 = "<script>alert(10)</script><b><i></i></b>";

std::string join(const std::string& name) { return "  0:01 J;0123;1;" + name + "\n"; }
std::string kill(const std::string& attacker, const std::string& victim) {
    return "  0:02 K;0456;2;axis;" + victim + ";0123;1;allies;" + attacker +
           ";mp5_mp;30;MOD_PISTOL_BULLET;head\n";
}

// One map, one weapon, and every name the file names must survive.
std::string awkwardLog() {
    const std::vector<std::string> killers = {kMarkup40, "\xe9\xe8\xfc", "..",  "a/b",
                                              "a\\b",    "../x",         "Flo", "F-l-o"};
    std::string log = "  0:00 InitGame: \\g_gametype\\dm\\mapname\\mp_crash\\protocol\\6\n";
    for (const std::string& name : killers) log += join(name);
    log += join("Deadonly");
    for (size_t i = 0; i < killers.size(); ++i) log += kill(killers[i], killers[(i + 1) % killers.size()]);
    log += kill("Flo", "Deadonly") + kill("", "Deadonly");  // and a death by the world
    return log;
}

class BatchPlayerPages : public testing::Test {
protected:
    test::BatchResult run(const std::string& settings, const std::string& out) {
        test::writeFile(folder.file("GravmarkParser.INI"), settings);
        return test::runBatchProcess({"--folder", folder.folder(), "--out", out, "--now", kNow, "--quiet"});
    }
    // The files beside the page, less the medal pictures that every save puts there.
    std::set<std::string> filesIn(const fs::path& path) {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(path)) {
            const std::string name = fs::relative(entry.path(), path).generic_string();
            if (!name.starts_with("medal_")) names.insert(name);
        }
        return names;
    }

    test::TempFolder folder;
};

TEST_F(BatchPlayerPages, SettingOffChangesNoByteAndWritesNothingElse) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    test::writeFile(folder.file("games_mp.log"),
                    test::readFile(std::string(GRAVMARK_REAL_LOGS) + "/server-small-100.log"));
    test::writeFile(folder.file("head.txt"), "<html><head><title>Clan statistics</title></head>\n<body>\n");
    test::writeFile(folder.file("foot.txt"), "</body>\n</html>\n");
    fs::create_directory(folder.file("site"));
    const test::BatchResult result =
        run("[General]\r\nplayerpages=0\r\n[Medals]\r\ntnt=1\r\n", folder.file("site/page.html"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(
        test::matchesExpectedFile(std::string(GRAVMARK_REPORT_EXPECTED) + "/server-small-100.index.html",
                                  test::readFile(folder.file("site/page.html"))));
    EXPECT_EQ(filesIn(folder.file("site")), std::set<std::string>{"page.html"});

    // On, the page differs only by the links around the names.
    const test::BatchResult on =
        run("[General]\r\nplayerpages=1\r\n[Medals]\r\ntnt=1\r\n", folder.file("site/page.html"));
    EXPECT_EQ(on.exitCode, 0) << on.err;
    const std::string linked = test::readFile(folder.file("site/page.html"));
    EXPECT_EQ(test::linksIn(linked).size(), 4u);
    const std::string unlinked =
        std::regex_replace(linked, std::regex("<a href=\"players/[^\"]*\">|</a>"), "");
    EXPECT_TRUE(test::matchesExpectedFile(
        std::string(GRAVMARK_REPORT_EXPECTED) + "/server-small-100.index.html", unlinked));
}

TEST_F(BatchPlayerPages, AwkwardNamesGetSafePagesThatLinkUp) {
    test::writeFile(folder.file("games_mp.log"), awkwardLog());
    fs::create_directory(folder.file("site"));
    const test::BatchResult result = run("[General]\r\nplayerpages=1\r\n", folder.file("site/index.html"));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const fs::path site = folder.file("site");
    const std::set<std::string> files = filesIn(site);
    EXPECT_TRUE(files.contains("index.html") && files.contains("weapons.html") &&
                files.contains("maps.html"));
    std::vector<fs::path> pages;
    const std::regex inFolderOrPlayers("[a-z]+\\.html|players|players/[.A-Za-z0-9-]+");
    for (const std::string& file : files) {
        if (file.ends_with(".html")) pages.push_back(site / file);
        // Everything is in the folder or directly in players/.
        EXPECT_TRUE(std::regex_match(file, inFolderOrPlayers)) << file;
    }
    EXPECT_EQ(pages.size(), 3u + 9u);  // nine players with a row
    for (const fs::path& page : pages) {
        const std::string html = test::readFile(page.string());
        EXPECT_THAT(html, Not(HasSubstr("<script>"))) << page;
        for (const std::string& link : test::linksIn(html))
            EXPECT_TRUE(fs::is_regular_file(page.parent_path() / link)) << page << " -> " << link;
    }
    EXPECT_EQ(test::linksIn(test::readFile((site / "index.html").string())).size(), 9u);
    const std::string weapons = test::readFile((site / "weapons.html").string());
    EXPECT_THAT(weapons, HasSubstr("<tr><td>mp5_mp</td><td>10</td>"));
    EXPECT_THAT(test::readFile((site / "maps.html").string()),
                HasSubstr("<tr><td>mp_crash</td><td>10</td><td>1</td></tr>"));

    std::string deadOnly;
    for (const fs::path& page : pages) {
        if (page.filename().string().starts_with("Deadonly-")) deadOnly = test::readFile(page.string());
    }
    EXPECT_THAT(deadOnly, HasSubstr("<tr><td>0</td><td>2</td><td>1</td><td>0</td><td>999.0000</td></tr>"));
    EXPECT_THAT(deadOnly, HasSubstr("No kills."));
    EXPECT_THAT(deadOnly, HasSubstr("Killed by the world: 1"));
}

}  // namespace
}  // namespace gravmark
