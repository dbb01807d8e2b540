// Ratings from the log to the pages. The expected ratings come from a second, plain
// reading of the log and of Glickman's steps (every rated player updated in every game),
// sharing nothing with the program but the rules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <set>
#include <sstream>

#include "pipeline/page_run.h"
#include "report/site_change.h"
#include "site/code_page.h"
#include "site/rating_text.h"
#include "support/real_logs.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

// ---- The log, read as its format says -------------------------------------------------

struct LogKill {
    std::string killer, victim, killerTeam, victimTeam;
};

struct LogGames {
    std::set<std::string> players;            // attackers and joiners, cut to 40 bytes
    std::vector<std::vector<LogKill>> games;  // games[g - 1]: the kills of game g
};

// Field n (from 1) of a line that LOAD closed with ";".
std::string field(const std::string& line, int n) {
    std::string piece;
    std::istringstream in(line + ";");
    for (int i = 0; i < n; ++i) {
        if (!std::getline(in, piece, ';')) return "";
    }
    return piece;
}

bool tokenNearStart(const std::string& line, const char* token) {
    const size_t at = line.find(token);
    return at != std::string::npos && at < 9;
}

LogGames readLog(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    LogGames log;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string kind;
        for (const auto& [token, code] : {std::pair{" K", "K"},
                                          {" J", "J"},
                                          {" say", "say"},
                                          {" sayteam", "sayteam"},
                                          {" D", "D"},
                                          {" InitGame:", "S"}}) {
            if (tokenNearStart(line, token)) kind = code;
        }
        if (kind == "S") log.games.emplace_back();
        if (kind == "J") log.players.insert(field(line, 4).substr(0, 40));
        if (kind != "K") continue;
        const std::string killer = field(line, 9).substr(0, 40);
        std::string victim = field(line, 5), victimTeam = field(line, 4);
        if (victim.size() < 2) victim = killer;
        if (victimTeam.size() < 2) victimTeam = field(line, 8);
        log.players.insert(killer);
        if (!log.games.empty())
            log.games.back().push_back(
                {killer, victim.substr(0, 40), field(line, 8).substr(0, 20), victimTeam.substr(0, 20)});
    }
    log.players.erase("");
    return log;
}

// ---- Glicko-2, step by step -----------------------------------------------------------

struct Expected {
    double mu = 0, phi = 350 / 173.7178, sigma = 0.06;
    double rating() const { return 173.7178 * mu + 1500; }
    double deviation() const { return 173.7178 * phi; }
};

struct Game {
    double mu, phi, score;
};

Expected glicko2(const Expected& p, const std::vector<Game>& games) {
    if (games.empty()) return {p.mu, std::sqrt(p.phi * p.phi + p.sigma * p.sigma), p.sigma};
    const auto g = [](double phi) {
        return 1 / std::sqrt(1 + 3 * phi * phi / (std::numbers::pi * std::numbers::pi));
    };
    double vInverse = 0, sum = 0;
    for (const Game& j : games) {
        const double e = 1 / (1 + std::exp(-g(j.phi) * (p.mu - j.mu)));
        vInverse += g(j.phi) * g(j.phi) * e * (1 - e);
        sum += g(j.phi) * (j.score - e);
    }
    const double v = 1 / vInverse, delta = v * sum, tau = 0.5, a = std::log(p.sigma * p.sigma);
    const auto f = [&](double x) {
        return std::exp(x) * (delta * delta - p.phi * p.phi - v - std::exp(x)) /
                   (2 * std::pow(p.phi * p.phi + v + std::exp(x), 2)) -
               (x - a) / (tau * tau);
    };
    double A = a, B;
    if (delta * delta > p.phi * p.phi + v) {
        B = std::log(delta * delta - p.phi * p.phi - v);
    } else {
        double k = 1;
        while (f(a - k * tau) < 0) k += 1;
        B = a - k * tau;
    }
    double fA = f(A), fB = f(B);
    while (std::fabs(B - A) > 0.000001) {
        const double C = A + (A - B) * fA / (fB - fA), fC = f(C);
        if (fC * fB <= 0) {
            A = B;
            fA = fB;
        } else {
            fA = fA / 2;
        }
        B = C;
        fB = fC;
    }
    const double sigma = std::exp(A / 2);
    const double phiStar = std::sqrt(p.phi * p.phi + sigma * sigma);
    const double phi = 1 / std::sqrt(1 / (phiStar * phiStar) + 1 / v);
    return {p.mu + phi * phi * sum, phi, sigma};
}

std::map<std::string, Expected> expectedRatings(const LogGames& log) {
    std::map<std::string, Expected> rated;
    for (const std::vector<LogKill>& game : log.games) {
        std::map<std::string, std::vector<Game>> results;
        std::map<std::string, Expected> before = rated;
        for (const LogKill& kill : game) {
            const bool teamKill = !kill.killerTeam.empty() && kill.killerTeam == kill.victimTeam;
            if (kill.killer == kill.victim || teamKill || !log.players.contains(kill.killer) ||
                !log.players.contains(kill.victim))
                continue;
            before.try_emplace(kill.killer);
            before.try_emplace(kill.victim);
        }
        for (const LogKill& kill : game) {
            if (!before.contains(kill.killer) || !before.contains(kill.victim) ||
                kill.killer == kill.victim ||
                (!kill.killerTeam.empty() && kill.killerTeam == kill.victimTeam))
                continue;
            const Expected &k = before[kill.killer], &v = before[kill.victim];
            results[kill.killer].push_back({v.mu, v.phi, 1});
            results[kill.victim].push_back({k.mu, k.phi, 0});
        }
        rated.clear();
        for (const auto& [name, state] : before) rated[name] = glicko2(state, results[name]);
    }
    return rated;
}

// ---- The program's ratings --------------------------------------------------------------

struct Settings {
    bool ratings = true;
    bool playerPages = true;
    std::string style = "classic";
};

// LOAD, PARSE, HTML, and the files beside the page staged into `folder` (index.html there).
std::string runLog(PageRun& run, const std::string& log, const test::TempFolder& folder,
                   const Settings& settings) {
    fs::copy_file(log, folder.file("games_mp.log"), fs::copy_options::overwrite_existing);
    const test::ScriptedDialogs dialogs;
    run.useWorkFolder(folder.folder());
    RunOptions options;
    options.folder = folder.folder();
    options.settings.ratings = settings.ratings;
    options.settings.playerPages = settings.playerPages;
    options.settings.siteStyle = settings.style;
    options.settings.exportData = true;
    options.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5), Qt::UTC); };
    Progress progress;
    runSteps(run, {Step::Load, Step::Parse, Step::Html}, options, progress);
    SiteChange change(folder.folder());
    run.playerSite.pageExtras(folder.folder(), {}).stageBesidePage(change, folder.file("index.html"));
    change.commit();
    return run.logLines.text();
}

void expectRecomputedRatings(const std::string& log) {
    SCOPED_TRACE(log);
    test::TempFolder folder;
    PageRun run;
    runLog(run, log, folder, {.playerPages = false});
    const std::map<std::string, Expected> expected = expectedRatings(readLog(log));
    std::map<std::string, const Expected*> byShownName;  // as stats.json names them
    for (const std::string& name : readLog(log).players)
        byShownName[toUtf8(name, CodePage::Windows1252)] =
            expected.contains(name) ? &expected.at(name) : nullptr;

    const QJsonArray players = QJsonDocument::fromJson(QByteArray::fromStdString(
        test::readFile(folder.file("stats.json"))))["players"]
                                   .toArray();
    ASSERT_EQ(size_t(players.size()), byShownName.size());
    std::vector<std::pair<double, std::string>> ranked;
    std::map<std::string, int> ranks;
    for (const QJsonValue& player : players) {
        const std::string name = player["name"].toString().toStdString();
        ASSERT_TRUE(byShownName.contains(name)) << name;
        const Expected* want = byShownName[name];
        const QJsonValue got = player["rating"];
        ASSERT_EQ(got.isNull(), want == nullptr) << name;
        if (!want) continue;
        EXPECT_NEAR(got["r"].toDouble(), want->rating(), 0.01) << name;
        EXPECT_NEAR(got["rd"].toDouble(), want->deviation(), 0.01) << name;
        EXPECT_NEAR(got["sigma"].toDouble(), want->sigma, 0.00001) << name;
        EXPECT_EQ(got["provisional"].toBool(), want->deviation() > 110) << name;
        if (!got["rank"].isNull()) ranks[name] = got["rank"].toInt();
        if (want->deviation() <= 110) ranked.emplace_back(-(want->rating() - 2 * want->deviation()), name);
    }
    std::sort(ranked.begin(), ranked.end());
    ASSERT_EQ(ranks.size(), ranked.size());
    for (size_t place = 0; place < ranked.size(); ++place)
        EXPECT_EQ(ranks[ranked[place].second], int(place + 1)) << ranked[place].second;
}

TEST(SiteRatings, StoredLogsMatchARecomputationFromTheRules) {
    expectRecomputedRatings(GRAVMARK_TEST_DATA "/report/generated-seed-7.log");
    GRAVMARK_REQUIRE_REAL_LOGS();
    expectRecomputedRatings(GRAVMARK_REAL_LOGS "/server-small-100.log");
    expectRecomputedRatings(GRAVMARK_REAL_LOGS "/server-lan-10k.log");
}

TEST(SiteRatings, PagesShowThemAndTheClassicMainPageStaysAsItWas) {
    const std::string log = GRAVMARK_TEST_DATA "/report/generated-seed-7.log";
    test::TempFolder plain;
    PageRun off;
    const std::string classic = runLog(off, log, plain, {.ratings = false});
    EXPECT_EQ(off.ratings, nullptr);
    for (const std::string style : {"classic", "modern"}) {
        SCOPED_TRACE(style);
        test::TempFolder folder;
        PageRun on;
        const std::string page = runLog(on, log, folder, {.style = style});
        if (style == "classic") {
            EXPECT_EQ(page, classic);
        } else {
            EXPECT_THAT(page, HasSubstr("<th scope=\"col\">Rating</th>"));
        }
        const std::string versus = test::readFile(folder.file("versus.html"));
        EXPECT_THAT(test::readFile(folder.file("maps.html")),
                    HasSubstr("<a href=\"versus.html\">Head to head</a>"));
        const RatingReport& report = *on.ratings;
        const std::vector<std::string> players = namedPlayers(on.counts.roster);
        std::string allPages;
        size_t pages = 0;
        for (const auto& entry : fs::directory_iterator(folder.path() / "players")) {
            if (entry.path().extension() != ".html") continue;
            const std::string html = test::readFile(entry.path().string());
            ++pages;
            EXPECT_THAT(html, HasSubstr("Skill rating"));
            EXPECT_THAT(html, HasSubstr("<svg"));
            allPages += html;
        }
        EXPECT_EQ(pages, players.size());
        for (size_t p = 0; p < players.size(); ++p)
            EXPECT_THAT(allPages, HasSubstr(ratingText(report.players[p], report.rankedCount)));
        // The diagonal and the corner are the only blank cells.
        size_t blank = 0;
        for (size_t at = versus.find("<td></td>"); at != std::string::npos;
             at = versus.find("<td></td>", at + 1))
            ++blank;
        EXPECT_EQ(blank, std::min<size_t>(players.size(), 20) + 1);
    }
}

}  // namespace
}  // namespace gravmark
