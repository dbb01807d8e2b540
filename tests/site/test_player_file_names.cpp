// Player page file names: stable, safe for any name, distinct within a run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "site/player_file_names.h"

namespace gravmark {
namespace {

TEST(PlayerFileNames, HashIsTheStandardFnv1a) {
    EXPECT_EQ(fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(fnv1a64("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(fnv1a64("foobar"), 0x85944171f73967e8ull);
    EXPECT_EQ(playerFileName("Flo"), "Flo-" + std::string("f2b795199c8ef900") + ".html");
}

TEST(PlayerFileNames, EveryNameStaysInsideThePlayersFolder) {
    const std::vector<std::string> names = {
        "",
        "<script>alert(10)</script><b><i></i></b>",  // 40 bytes of markup
        "\xe9\xe8\xfc\xff",
        "..",
        "../x",
        "a/b",
        "a\\b",
        "/etc/passwd",
        ".",
        "con",
        "^1Red^7 Name with spaces & \"quotes\"",
        std::string(200, 'x'),
        std::string("nul\0byte", 8),
    };
    const std::regex safe("[A-Za-z0-9]{0,40}-?[0-9a-f]{16}\\.html");
    const std::vector<std::string> files = uniquePlayerFileNames(names);
    ASSERT_EQ(files.size(), names.size());
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_TRUE(std::regex_match(files[i], safe)) << files[i];
        const std::filesystem::path inside = (std::filesystem::path("players") / files[i]).lexically_normal();
        EXPECT_EQ(inside.parent_path(), "players") << files[i];
    }
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()).size(), files.size());
    EXPECT_EQ(files[0], "cbf29ce484222325.html");
    EXPECT_THAT(files[1], testing::StartsWith("scriptalert10scriptbiib-"));
    const std::regex hashOnly("[0-9a-f]{16}\\.html");
    EXPECT_TRUE(std::regex_match(files[2], hashOnly)) << files[2];
    EXPECT_TRUE(std::regex_match(files[3], hashOnly)) << files[3];
    EXPECT_THAT(files[5], testing::StartsWith("ab-"));
    EXPECT_THAT(files[6], testing::StartsWith("ab-"));
    EXPECT_EQ(files[11], std::string(40, 'x') + "-" + files[11].substr(41, 16) + ".html");
}

TEST(PlayerFileNames, EqualAsciiPartsDifferByTheHashAndRepeatsGetANumber) {
    const std::vector<std::string> files =
        uniquePlayerFileNames({"Flo", "F-l-o", "Fl\xf6o", "Flo", "Flo", "F-l-o"});
    EXPECT_THAT(files[0], testing::StartsWith("Flo-"));
    EXPECT_THAT(files[1], testing::StartsWith("Flo-"));
    EXPECT_NE(files[0], files[1]);
    EXPECT_NE(files[0], files[2]);
    const std::string stem = files[0].substr(0, files[0].size() - 5);
    EXPECT_EQ(files[3], stem + "-2.html");
    EXPECT_EQ(files[4], stem + "-3.html");
    EXPECT_EQ(files[5], files[1].substr(0, files[1].size() - 5) + "-2.html");
    // The same name gives the same file in every run.
    EXPECT_EQ(uniquePlayerFileNames({"Flo"}).front(), files[0]);
}

}  // namespace
}  // namespace gravmark
