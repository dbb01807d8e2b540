// gravmark-batch as a separate process: pages, exit statuses and messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <filesystem>

#include "batch_process.h"
#include "platform/native_path.h"
#include "support/golden_file.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using testing::HasSubstr;

const std::string kExpected = GRAVMARK_REPORT_EXPECTED;
const std::string kNow = "2026-12-09 14:30:05";

class BatchRun : public testing::Test {
protected:
    // The program folder of the expected page's run: the stored generated log, both templates.
    void prepare(const std::string& settings) {
        test::writeFile(folder.file("games_mp.log"), test::readFile(kExpected + "/generated-seed-7.log"));
        test::writeFile(folder.file("head.txt"),
                        "<html><head><title>Clan statistics</title></head>\n<body>\n");
        test::writeFile(folder.file("foot.txt"), "</body>\n</html>\n");
        test::writeFile(folder.file("GravmarkParser.INI"), settings);
    }
    test::BatchResult run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--folder", folder.folder()});
        return test::runBatchProcess(arguments);
    }
    bool exists(const std::string& name) const { return test::exists(folder.file(name)); }

    test::TempFolder folder;
};

// Every medal ticked, as in the stored page's run; --now is a local time and the zone is UTC.
constexpr const char* kAllMedals = "[Medals]\r\ntnt=1\r\n";

TEST_F(BatchRun, GeneratedLogGivesTheStoredPageAndItsPictures) {
    prepare(kAllMedals);
    test::writeFile(folder.file("lijst.xml"), "a desktop program's work file");
    const test::TempFolder temporary;
    qputenv("TMPDIR", QByteArray::fromStdString(temporary.path().string()));
    const test::BatchResult result = run({"--out", folder.file("page.html"), "--now", kNow});
    qunsetenv("TMPDIR");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "Results saved as " + folder.file("page.html") + "\n");
    EXPECT_TRUE(test::matchesExpectedFile(kExpected + "/generated-seed-7.index.html",
                                          test::readFile(folder.file("page.html"))));
    EXPECT_TRUE(exists("medal_pro_killer.png"));
    EXPECT_TRUE(exists("medal_anti_suicide.png"));
    // No work file is written, neither beside the log nor in a temporary folder.
    EXPECT_EQ(test::readFile(folder.file("lijst.xml")), "a desktop program's work file");
    EXPECT_FALSE(exists("temp.xml"));
    EXPECT_TRUE(std::filesystem::is_empty(temporary.path()));
}

// Folders named in Latin, Cyrillic and Chinese letters, as the program folder and as the
// default save folder; and a save folder an earlier release stored as Latin-1 bytes.
TEST_F(BatchRun, FoldersNamedInAnyLetters) {
    for (const std::string name :
         {"Caf\u00e9 \u00e0 l'\u00e9t\u00e9", "\u041f\u0430\u043f\u043a\u0430", "\u7edf\u8ba1\u9875"}) {
        const std::string program = folder.file(name);
        const std::string site = folder.file(name + " site");
        test::makeFolder(program);
        test::makeFolder(site);
        test::writeFile(program + "/games_mp.log", test::readFile(kExpected + "/generated-seed-7.log"));
        test::writeFile(program + "/GravmarkParser.INI", "[General]\r\nsavepath=" + site + "\r\n");
        const test::BatchResult result = test::runBatchProcess({"--folder", program, "--quiet"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_THAT(test::readFile(site + "/index.html"), HasSubstr("Holzi7")) << name;
        EXPECT_TRUE(test::exists(site + "/medal_pro_killer.png")) << name;
    }

    // Written behind the folder as bytes: file() would read the Latin-1 byte as UTF-8.
    prepare("[General]\r\nsavepath=" + folder.folder() + "Caf\xe9\r\n");
    test::makeFolder(folder.file("Caf\u00e9"));
    const test::BatchResult result = run({"--quiet"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(exists("Caf\u00e9/index.html"));
}

TEST_F(BatchRun, DefaultSaveFolderAndQuiet) {
    std::filesystem::create_directory(folder.file("site"));
    prepare("[General]\r\nsavepath=" + folder.file("site") + "\r\n[Medals]\r\nkiller=0\r\n");
    test::BatchResult result = run({"--now", kNow});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "Results saved on server.\n");
    const std::string page = test::readFile(folder.file("site/index.html"));
    EXPECT_THAT(page, HasSubstr("Updated @ 12/9/26 2:30:05 PM UTC."));
    EXPECT_THAT(page, Not(HasSubstr("medal_pro_killer.png")));
    EXPECT_THAT(page, Not(HasSubstr("medal_tnt_killer_small.png")));
    EXPECT_THAT(page, HasSubstr("medal_pro_headshot.png"));

    result = run({"--quiet"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
}

TEST_F(BatchRun, NoPlaceForThePageStopsBeforeAnyWork) {
    prepare("[General]\r\nsavepath=<none>\r\n");
    const test::BatchResult result = run({"--quiet"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, testing::StartsWith("error: No place for the page: give --out FILE"));
    EXPECT_FALSE(exists("lijst.xml"));
    EXPECT_FALSE(exists("temp.xml"));
    EXPECT_FALSE(exists("<none>"));

    test::writeFile(folder.file("GravmarkParser.INI"), "[General]\r\nsavepath=\r\n");
    EXPECT_EQ(run({}).exitCode, 1);
    EXPECT_FALSE(exists("lijst.xml"));
}

TEST_F(BatchRun, FailuresExitWithOneAndTheMessage) {
    prepare("");
    std::filesystem::remove(folder.file("games_mp.log"));
    test::BatchResult result = run({"--out", folder.file("page.html"), "--quiet"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "error: File does not exist: " + folder.file("games_mp.log") + "\n");
    EXPECT_FALSE(exists("page.html"));

    prepare("");
    // The message names the file with the system's one separator.
    const std::string inMissingFolder = platform::pathBytes(folder.path() / "missing" / "page.html");
    result = run({"--out", inMissingFolder});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("error: Cannot create file \"" + inMissingFolder + "\""));

    result = run({"--fetch", "--out", folder.file("page.html")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "error: No FTP server in the settings file: its server is <none>\n");
    EXPECT_FALSE(exists("page.html"));

    std::filesystem::remove(folder.file("GravmarkParser.INI"));
    std::filesystem::create_directory(folder.file("GravmarkParser.INI"));
    result = run({});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "error: Cannot read " + folder.file("GravmarkParser.INI") + ": it is a folder\n");
}

TEST_F(BatchRun, ALogWithoutGamesNeverReplacesAPage) {
    prepare("[General]\r\nsavepath=" + folder.file("site") + "\r\n");
    std::filesystem::create_directory(folder.file("site"));
    test::writeFile(folder.file("site/index.html"), "the clan's page");
    const std::string refused = "error: The log holds no games; the page was not replaced.\n";
    using namespace std::string_literals;
    for (const std::string& log : {""s, "\x01\xff\x00 random bytes\r\n\x9c\x80;;;\n"s}) {
        test::writeFile(folder.file("games_mp.log"), log);
        const test::BatchResult result = run({"--quiet"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, refused);
        EXPECT_EQ(test::readFile(folder.file("site/index.html")), "the clan's page");
    }
    // Where no page stands yet, the empty page is the page.
    const test::BatchResult result = run({"--out", folder.file("first.html"), "--quiet"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(test::readFile(folder.file("first.html")), HasSubstr("Updated @"));
}

TEST_F(BatchRun, ARelativeSaveFolderIsInTheProgramFolderWhereverTheRunStarts) {
    prepare("[General]\r\nsavepath=site\r\n");
    std::filesystem::create_directory(folder.file("site"));
    const test::BatchResult result = run({"--quiet"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(exists("site/index.html"));
}

TEST(BatchFolder, AMissingFolderIsNamed) {
    const test::TempFolder folder;
    const std::string missing = folder.file("no such folder");
    const test::BatchResult result =
        test::runBatchProcess({"--folder", missing, "--out", folder.file("page.html")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "error: Folder does not exist: " + missing + "\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(BatchUsage, StatusTwoForUsageErrorsAndHelpOnStandardOutput) {
    test::BatchResult result = test::runBatchProcess({"--now", "yesterday"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.err, HasSubstr("--now needs a time as \"YYYY-MM-DD HH:MM:SS\""));
    EXPECT_THAT(result.err, HasSubstr("Usage: gravmark-batch"));
    EXPECT_EQ(test::runBatchProcess({"--frobnicate"}).exitCode, 2);

    result = test::runBatchProcess({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.out, testing::StartsWith("Usage: gravmark-batch"));
    EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace gravmark
