// A generated log from LOAD to the written site: every player page adds up to its row,
// every link resolves, and players/ is replaced whole.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QUrl>
#include <filesystem>
#include <map>
#include <set>

#include "common/error.h"
#include "loggen/log_generator.h"
#include "pipeline/page_run.h"
#include "report/credit_line.h"
#include "report/save_page.h"
#include "site/site_test_support.h"
#include "site/site_writer.h"
#include "support/file_size_limit.h"
#include "support/immutable_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

class GeneratedSite : public testing::Test {
protected:
    static void SetUpTestSuite() {
        work = new test::TempFolder;
        const std::string log = work->file("games_mp.log");
        loggen::writeLog({.lines = 30000, .seed = 7, .players = 60, .linesPerGame = 1500}, log);
        run = new PageRun;
        run->useWorkFolder(work->folder());
        RunOptions options;
        options.folder = work->folder();
        const test::ScriptedDialogs dialogs;
        Progress progress;
        runSteps(*run, {Step::Load, Step::Parse, Step::Html}, options, progress);
        events = &run->events;
        tempdb = &run->playerTable;
        stats = &run->counts;
        site = new SiteSummary(summarizeSite(*events, run->standings.rows, *tempdb, run->standings.winners));
    }
    static void TearDownTestSuite() {
        delete site;
        delete run;
        delete work;
    }

    static size_t rosterIndex(const std::string& name) {
        return size_t(std::find(stats->roster.begin(), stats->roster.end(), name) - stats->roster.begin());
    }

    static test::TempFolder* work;
    static PageRun* run;
    static GameEvents* events;
    static RecordTable* tempdb;
    static Statistics* stats;
    static SiteSummary* site;
};

test::TempFolder* GeneratedSite::work = nullptr;
PageRun* GeneratedSite::run = nullptr;
GameEvents* GeneratedSite::events = nullptr;
RecordTable* GeneratedSite::tempdb = nullptr;
Statistics* GeneratedSite::stats = nullptr;
SiteSummary* GeneratedSite::site = nullptr;

TEST_F(GeneratedSite, EveryPageAddsUpToItsRow) {
    // A run outside the window leaves the event table empty.
    EXPECT_EQ(run->eventTable.recordCount(), 0);
    ASSERT_EQ(site->players.size(), size_t(tempdb->recordCount()));
    ASSERT_GT(site->players.size(), 40u);
    int32_t serverKills = 0;
    for (const ServerWeapon& weapon : site->weapons) serverKills += weapon.kills;
    int32_t mapKills = 0;
    for (const MapTally& map : site->maps) mapKills += map.kills;
    EXPECT_EQ(mapKills, serverKills);

    tempdb->first();
    for (const PlayerSummary& page : site->players) {
        // The page's numbers are those of the row in the same place.
        EXPECT_EQ(page.kills, std::get<int32_t>(tempdb->fieldValue("kills")));
        EXPECT_EQ(page.killed, std::get<int32_t>(tempdb->fieldValue("killed")));
        EXPECT_EQ(page.played, std::get<int32_t>(tempdb->fieldValue("played")));
        tempdb->next();
        const size_t i = rosterIndex(page.name);
        ASSERT_LT(i, stats->roster.size()) << page.name;
        EXPECT_EQ(page.kills, stats->killCounts[i]);
        EXPECT_EQ(page.killed, stats->deathCounts[i]);

        int32_t byWeapon = 0, headshots = 0, byLocation = 0, mapKillsOfPlayer = 0, mapDeaths = 0, games = 0;
        for (const WeaponKills& w : page.weapons) byWeapon += w.kills, headshots += w.headshots;
        for (const LocationKills& l : page.locations) byLocation += l.kills;
        for (const MapTally& m : page.maps)
            mapKillsOfPlayer += m.kills, mapDeaths += m.deaths, games += m.games;
        EXPECT_EQ(byWeapon, page.kills) << page.name;
        EXPECT_EQ(byLocation, page.kills) << page.name;
        EXPECT_EQ(mapKillsOfPlayer, page.kills) << page.name;
        EXPECT_EQ(mapDeaths, page.killed) << page.name;
        EXPECT_EQ(std::max(games, 1), page.played) << page.name;
        EXPECT_EQ(headshots, stats->headshotsGiven[i]) << page.name;
        EXPECT_EQ(page.suicides, stats->suicideCounts[i]) << page.name;
        EXPECT_LE(page.victims.size(), 5u);
        EXPECT_LE(page.nemeses.size(), 5u);
    }
}

std::string readPage(const fs::path& path) { return test::readFile(path.string()); }

TEST_F(GeneratedSite, WrittenPagesLinkOnlyToPagesThatExist) {
    test::TempFolder out;
    fs::create_directory(out.path() / "site");
    const std::string target = (out.path() / "site" / "clan stats.html").string();
    test::writeFile(out.file("head.txt"), "<html><body>\n");
    test::writeFile(out.file("foot.txt"), "</body>\n</html>");
    test::writeFile(target, "the main page");
    writeSite(*site, out.folder(), target);

    const fs::path folder = out.path() / "site";
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder / "players"))
        files.insert(entry.path().filename());
    EXPECT_EQ(files.size(), site->players.size() + 1);  // and the marker
    EXPECT_TRUE(files.contains(kPlayersMarker));

    std::vector<fs::path> pages{folder / "weapons.html", folder / "maps.html"};
    for (const PlayerSummary& player : site->players) pages.push_back(folder / "players" / player.fileName);
    size_t linksChecked = 0;
    for (const fs::path& page : pages) {
        const std::string html = readPage(page);
        EXPECT_THAT(html, testing::StartsWith("<html><body>\r\n"));
        EXPECT_THAT(html, testing::EndsWith("</body>\r\n</html>\r\n"));
        // The back link names the main page as it was saved, its blank encoded.
        EXPECT_THAT(html, HasSubstr("clan%20stats.html\">Statistics</a>"));
        for (const std::string& link : test::linksIn(html)) {
            const std::string file = QUrl::fromPercentEncoding(QByteArray::fromStdString(link)).toStdString();
            EXPECT_TRUE(fs::exists(page.parent_path() / file)) << page << " -> " << link;
            ++linksChecked;
        }
    }
    EXPECT_GT(linksChecked, site->players.size() * 4);
    // Colour codes and markup in the generated names never reach a page as markup.
    for (const fs::path& page : pages) EXPECT_THAT(readPage(page), Not(HasSubstr("<script")));
}

TEST_F(GeneratedSite, PlayersFolderIsReplacedWholeAndOnlyIfOurs) {
    test::TempFolder out;
    const std::string target = out.file("index.html");
    const fs::path players = out.path() / "players";
    fs::create_directory(players);
    test::writeFile((players / "own.html").string(), "somebody's page");
    try {
        writeSite(*site, out.folder(), target);
        ADD_FAILURE() << "a folder we did not write was replaced";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("was not written by Gravmark Parser"));
    }
    EXPECT_EQ(test::readFile((players / "own.html").string()), "somebody's page");
    EXPECT_FALSE(fs::exists(out.path() / "weapons.html"));

    fs::remove_all(players);
    writeSite(*site, out.folder(), target);
    test::writeFile((players / "stale.html").string(), "from an earlier run");
    writeSite(*site, out.folder(), target);
    EXPECT_FALSE(fs::exists(players / "stale.html"));
    EXPECT_TRUE(fs::exists(players / site->players.front().fileName));
    // Nothing is left beside the folder: no temporary folder, no old copy.
    std::set<std::string> beside;
    for (const auto& entry : fs::directory_iterator(out.path())) beside.insert(entry.path().filename());
    EXPECT_EQ(beside, (std::set<std::string>{"maps.html", "players", "weapons.html"}));
}

// Every file under `folder` with its bytes; links by their targets.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        if (entry.is_symlink())
            files[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[name] = readPage(entry.path());
    }
    return files;
}

// The main page and the pages beside it, saved through SAVE with head.txt `head`.
class SiteSave {
public:
    explicit SiteSave(const SiteSummary& site) : site_(site) { fs::create_directory(web()); }
    fs::path web() const { return work_.path() / "web"; }

    void save(const std::string& head) {
        test::writeFile(work_.file("head.txt"), head);
        TextBoxLines memo1, memo2;
        memo1.setText(head + "\r\n<p>the main page</p>");
        bool finished = false;
        const PageExtras extras{{}, [this](SiteChange& change, const std::string& target) {
                                    stageSite(change, site_, work_.folder(), target);
                                }};
        savePage(memo1, memo2, finished, true, web().string(), "1.0.2.11", extras);
    }

private:
    const SiteSummary& site_;
    test::TempFolder work_;
    test::ScriptedDialogs dialogs_;
};

TEST_F(GeneratedSite, TheSiteChangesAllAtOnceOrNotAtAll) {
    SiteSave run(*site);
    run.save("<p>old</p>");
    const std::map<std::string, std::string> old = snapshot(run.web());
    ASSERT_TRUE(old.contains("players/" + site->players.front().fileName));
    ASSERT_TRUE(old.contains("index.html"));

    // A failure while the new files are written: nothing of them shows.
    try {
        const test::FileSizeLimit limit;
        run.save("<p>new</p>");
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("File too large"));
    }
    EXPECT_EQ(snapshot(run.web()), old);

    // A failure while they take their places: those already placed go back.
    const std::string maps = (run.web() / "maps.html").string();
    if (test::setImmutable(maps, true)) {
        try {
            run.save("<p>new</p>");
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_THAT(error.what(), HasSubstr("maps.html\". Operation not permitted"));
        }
        test::setImmutable(maps, false);
        EXPECT_EQ(snapshot(run.web()), old);
    }

    // What killed runs left is removed; the staging folder of a change under way is not.
    fs::create_directories(run.web() / ".players.Ab12Cd");
    test::writeFile((run.web() / ".players.Ab12Cd" / kPlayersMarker).string(), "");
    fs::create_directories(run.web() / ".site.Ef34Gh" / "players");
    fs::create_directories(run.web() / ".players.Xy99zz" / "x");
    const SiteChange underWay(run.web().string());
    // Links in place of pages are replaced; what they pointed to stays as it was.
    test::writeFile((run.web().parent_path() / "elsewhere").string(), "not a page");
    for (const char* page : {"index.html", "weapons.html"}) {
        fs::remove(run.web() / page);
        fs::create_symlink("../elsewhere", run.web() / page);
    }
    run.save("<p>new</p>");
    const std::map<std::string, std::string> now = snapshot(run.web());
    EXPECT_EQ(now.at("index.html"), "<p>new</p>\r\n<p>the main page</p>\r\n" + creditLine("1.0.2.11"));
    EXPECT_THAT(now.at("weapons.html"), testing::StartsWith("<p>new</p>"));
    EXPECT_EQ(test::readFile((run.web().parent_path() / "elsewhere").string()), "not a page");
    std::set<std::string> hidden;
    for (const auto& entry : fs::directory_iterator(run.web()))
        if (entry.path().filename().string().starts_with(".")) hidden.insert(entry.path().filename());
    EXPECT_EQ(hidden, (std::set<std::string>{".players.Xy99zz",
                                             fs::path(underWay.stagedPath("")).parent_path().filename()}));
}

}  // namespace
}  // namespace gravmark
