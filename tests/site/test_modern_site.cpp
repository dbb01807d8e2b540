// The modern style and the export: names in UTF-8 from each code page, colours that read in
// both schemes, human weapon names, and a generated log from LOAD to pages that tidy
// accepts and export files whose counts are those of the statistics table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <filesystem>

#include "loggen/log_generator.h"
#include "pipeline/page_run.h"
#include "site/code_page.h"
#include "site/modern_style.h"
#include "site/site_export.h"
#include "site/weapon_names.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

TEST(ModernSite, NamesBecomeUtf8FromEachCodePage) {
    EXPECT_EQ(toUtf8("\xC8\xE2\xE0\xED", CodePage::Windows1251), "Иван");
    EXPECT_EQ(toUtf8("\x8Ei\x9Eka", CodePage::Windows1250), "Žižka");
    EXPECT_EQ(toUtf8("\xA3ukasz", CodePage::Iso8859_2), "Łukasz");
    EXPECT_EQ(toUtf8("M\xFCller \x80", CodePage::Windows1252), "Müller €");
    EXPECT_EQ(toUtf8("M\xFCller \x80", CodePage::Iso8859_1), "Müller \xEF\xBF\xBD");
    // Undefined bytes, control characters and broken UTF-8 become U+FFFD, never markup or NULs.
    EXPECT_EQ(toUtf8("a\x81", CodePage::Windows1252), "a\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8("\x15rush", CodePage::Utf8), "\xEF\xBF\xBDrush");
    std::string replaced;
    for (int i = 0; i < 5; ++i) replaced += "\xEF\xBF\xBD";
    EXPECT_EQ(toUtf8("\xC3(\xC0\xAF\xED\xA0\x80", CodePage::Utf8), "\xEF\xBF\xBD(" + replaced);
    // auto takes each name by itself: UTF-8 where it is valid, else windows-1252.
    EXPECT_EQ(toUtf8("Дмитрий", CodePage::Auto), "Дмитрий");
    EXPECT_EQ(toUtf8("Bj\xF6rn", CodePage::Auto), "Björn");
    for (const char* name : kLogCodePages) EXPECT_TRUE(codePageNamed(name)) << name;
    EXPECT_EQ(codePageNamed("UTF-8"), CodePage::Utf8);
    EXPECT_FALSE(codePageNamed("koi8-r"));

    EXPECT_EQ(modernName("^1Red<b>^7\xE9", CodePage::Windows1252),
              "<span class=\"c1\">Red&lt;b&gt;</span><span class=\"c7\">é</span>");
}

double luminance(const char* colour) {
    double channels[3];
    for (int i = 0; i < 3; ++i) {
        const double c = std::stoi(std::string(colour + 1 + 2 * i, 2), nullptr, 16) / 255.0;
        channels[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
}

double contrast(const char* a, const char* b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ModernSite, EveryTextColourReadsOnEveryBackgroundOfBothSchemes) {
    const std::string css = styleSheetText();
    const size_t dark = css.find("@media (prefers-color-scheme: dark)");
    ASSERT_NE(dark, std::string::npos);
    for (const ColourScheme* scheme : {&kLightScheme, &kDarkScheme}) {
        std::vector<const char*> texts(scheme->names.begin(), scheme->names.end());
        texts.insert(texts.end(), {scheme->text, scheme->muted, scheme->link});
        for (const char* background : scheme->backgrounds) {
            for (const char* text : texts)
                EXPECT_GE(contrast(text, background), 4.5) << text << " on " << background;
        }
        // The sheet uses the scheme's colours, the dark ones inside the dark query.
        const size_t at = css.find(std::string("--c1: ") + scheme->names[1]);
        EXPECT_EQ(at > dark, scheme == &kDarkScheme);
    }
}

TEST(ModernSite, WeaponsAndHitLocationsHaveTheirNames) {
    EXPECT_EQ(weaponName("mp44_mp"), "MP44");
    EXPECT_EQ(weaponName("kar98k_sniper_mp"), "Kar98k (scoped)");
    EXPECT_EQ(weaponName("mk1britishfrag_mp"), "Mills bomb");
    EXPECT_EQ(weaponName("gl_ak47_mp"), "AK-47 grenade launcher");
    EXPECT_EQ(weaponName("m4_reflex_mp"), "M4 Carbine (red dot)");
    EXPECT_EQ(weaponName("destructible_car"), "Exploding car");
    EXPECT_EQ(weaponName("raygun_mp"), "raygun_mp");
    EXPECT_EQ(hitLocationName("torso_upper"), "Upper torso");
    EXPECT_EQ(hitLocationName("tail"), "tail");
}

// RFC 4180 read back: fields split at commas outside quotes, "" inside quotes is one quote,
// records end in CR LF.
std::vector<std::vector<std::string>> readCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                records.back().back() += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                records.back().back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.emplace_back(1);
            ++i;
        } else {
            records.back().back() += c;
        }
    }
    if (records.back() == std::vector<std::string>(1)) records.pop_back();
    return records;
}

TEST(ModernSite, CsvQuotesWhatNeedsQuoting) {
    SiteSummary site;
    site.players.push_back({});
    site.players[0].name = "a,\"b\"\r\n^1c";
    const SiteOptions options;
    const PlayerExtras extras{{{"Rating", {"1500"}, true}}, {}};
    const auto records = readCsv(playersCsv({site, options, extras}));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].back(), "Rating");
    EXPECT_EQ(records[1][0], "a,\"b\"\xEF\xBF\xBD\xEF\xBF\xBD^1c");
    EXPECT_EQ(records[1][1],
              "a,\"b\"\xEF\xBF\xBD\xEF\xBF\xBD"
              "c");
    EXPECT_EQ(records[1].back(), "1500");
    EXPECT_EQ(records[1].size(), records[0].size());
}

// A generated log with a game of UTF-8 names added, saved with every site setting on.
class ModernRun : public testing::Test {
protected:
    void SetUp() override {
        const std::string log = work.file("games_mp.log");
        loggen::writeLog({.lines = 12000, .seed = 3, .players = 30, .linesPerGame = 1500}, log);
        std::string game = "  0:01 InitGame: \\g_gametype\\dm\\mapname\\mp_crash\n";
        const char* names[] = {"Иван", "Žižka", "^1Дмитрий"};
        for (int i = 0; i < 3; ++i) game += "  0:02 J;;" + std::to_string(50 + i) + ";" + names[i] + "\n";
        for (int i = 0; i < 9; ++i)
            game += std::string("  0:03 K;;1;axis;") + names[(i + 1) % 3] + ";;2;allies;" + names[i % 3] +
                    ";gl_ak47_mp;100;MOD_RIFLE_BULLET;head\n";
        // A player who never kills has pages without tables of kills.
        game +=
            "  0:04 J;;53;Newcomer\n  0:05 "
            "K;;3;axis;Newcomer;;2;allies;Иван;kar98k_mp;100;MOD_RIFLE_BULLET;head\n";
        test::writeFile(log, test::readFile(log) + game);
        fs::create_directory(web());
        test::writeFile((web() / kStyleSheet).string(), "/* the clan's own */");

        run.useWorkFolder(work.folder());
        options.folder = work.folder();
        options.settings.savePath = web().string();
        options.settings.playerPages = true;
        options.settings.siteStyle = "modern";
        options.settings.exportData = true;
        options.settings.logCodePage = "auto";
        options.saveToDefaultFolder = true;
        options.version = "1.0.2.11";
        Progress progress;
        runSteps(run, kAllSteps, options, progress);
    }
    fs::path web() const { return work.path() / "web"; }
    std::string read(std::string_view name) const { return test::readFile((web() / name).string()); }

    test::TempFolder work;
    test::ScriptedDialogs dialogs;
    PageRun run;
    RunOptions options;
};

TEST_F(ModernRun, ExportCountsAreTheTableRowsAndNamesReadInUtf8) {
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(read(kStatsJson)));
    ASSERT_TRUE(json.isObject());
    EXPECT_EQ(json["schema"].toInt(), 1);
    const QJsonArray players = json["players"].toArray();
    const auto csv = readCsv(read(kPlayersCsv));
    ASSERT_EQ(players.size(), run.playerTable.recordCount());
    ASSERT_EQ(csv.size(), size_t(players.size()) + 1);
    run.playerTable.first();
    for (qsizetype p = 0; p < players.size(); ++p, run.playerTable.next()) {
        const QJsonObject player = players[p].toObject();
        EXPECT_EQ(player["kills"].toInt(), std::get<int32_t>(run.playerTable.fieldValue("kills")));
        EXPECT_EQ(player["deaths"].toInt(), std::get<int32_t>(run.playerTable.fieldValue("killed")));
        EXPECT_EQ(player["games"].toInt(), std::get<int32_t>(run.playerTable.fieldValue("played")));
        EXPECT_EQ(player["headshots"].toInt(), std::get<int32_t>(run.playerTable.fieldValue("headshot")));
        EXPECT_EQ(player["headshotsTaken"].toInt(), std::get<int32_t>(run.playerTable.fieldValue("headshotr")));
        EXPECT_EQ(player["suicides"].toInt(), std::get<int32_t>(run.playerTable.fieldValue("suicide")));
        EXPECT_DOUBLE_EQ(player["ratio"].toDouble(), std::get<double>(run.playerTable.fieldValue("target")));
        int weaponKills = 0;
        for (const QJsonValue weapon : player["weapons"].toArray()) weaponKills += weapon["kills"].toInt();
        EXPECT_EQ(weaponKills, player["kills"].toInt());
        const std::vector<std::string>& row = csv[size_t(p) + 1];
        EXPECT_EQ(row[0], player["name"].toString().toStdString());
        EXPECT_EQ(row[2], std::to_string(player["kills"].toInt()));
    }
    const QString all = QString::fromUtf8(read(kStatsJson));
    for (const char* name : {"Иван", "Žižka", "^1Дмитрий", "Müller", "AK-47 grenade launcher"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(name))) << name;
    EXPECT_THAT(read("index.html"), HasSubstr("<span class=\"c1\">Дмитрий</span>"));
    EXPECT_EQ(read(kStyleSheet), "/* the clan's own */");
}

TEST_F(ModernRun, EveryPageIsValidHtml5) {
    if (std::system("tidy -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "tidy is not installed";
    std::vector<fs::path> pages{web() / "index.html", web() / "weapons.html", web() / "maps.html"};
    for (const auto& entry : fs::directory_iterator(web() / "players"))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    ASSERT_GT(pages.size(), 30u);
    const fs::path report = work.path() / "tidy.txt";
    for (const fs::path& page : pages) {
        const std::string command = "tidy -q -e '" + page.string() + "' >'" + report.string() + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << page << "\n" << test::readFile(report.string());
        const std::string html = test::readFile(page.string());
        EXPECT_TRUE(html.starts_with("<!doctype html>\r\n<html lang=\"en\">")) << page;
        EXPECT_THAT(html, HasSubstr("<meta charset=\"utf-8\">"));
        EXPECT_THAT(html, Not(HasSubstr("<script")));
        EXPECT_TRUE(QString::fromUtf8(html).toUtf8().toStdString() == html) << page << " is not UTF-8";
    }
}

}  // namespace
}  // namespace gravmark
