#include <gtest/gtest.h>

#include "settings/settings_values.h"
#include "settings/settings_writer.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

TEST(SettingsValues, DefaultsThenTheFileValues) {
    test::TempFolder folder;
    // No file: the defaults.
    const SettingsValues defaults = readSettings(folder.file("GravmarkParser.INI"));
    EXPECT_EQ(defaults, SettingsValues{});
    EXPECT_EQ(defaults.server, "<none>");
    EXPECT_EQ(defaults.logFile, "games_mp.log");
    EXPECT_EQ(defaults.savePath, "<none>");
    EXPECT_EQ(defaults.medals, (std::array<bool, 7>{true, true, true, true, false, true, true}));

    test::writeFile(
        folder.file("GravmarkParser.INI"),
        "[ftpconnect]\r\nSERVER=ftp.clan.example:2121\r\nuser=gamer\r\npass=\" secret \"\r\n"
        "logfile=logs/games_mp.log\r\n[General]\r\nsavepath=/srv/www\r\nmergebyid=1\r\n"
        "[Medals]\r\nkiller=0\r\nhshoot=true\r\nhdead=0x0\r\ntarget=2\r\ntnt=1\r\ngrenade=\r\nsuicide=0\r\n");
    // Flags that are not whole numbers, or empty, keep their defaults.
    SettingsValues expected;
    expected.server = "ftp.clan.example:2121";
    expected.user = "gamer";
    expected.password = " secret ";
    expected.logFile = "logs/games_mp.log";
    expected.savePath = "/srv/www";
    expected.medals = {false, true, false, true, true, true, false};
    expected.mergeById = true;
    EXPECT_EQ(readSettings(folder.file("GravmarkParser.INI")), expected);
}

TEST(SettingsValues, KeyFileIsKeptInFtpconnect) {
    test::TempFolder folder;
    const std::string ini = folder.file("GravmarkParser.INI");
    EXPECT_EQ(readSettings(ini).keyFile, "<none>");
    SettingsValues values;
    values.keyFile = "/home/gamer/.ssh/id_ed25519";
    writeSettings(ini, values);
    EXPECT_EQ(readSettings(ini), values);
    EXPECT_NE(test::readFile(ini).find("keyfile=/home/gamer/.ssh/id_ed25519"), std::string::npos);
}

TEST(SettingsValues, LaterFlagsAreWrittenOnlyOnceSomebodyTurnedThemOn) {
    for (const auto& [key, flag] : {std::pair{"playerpages", &SettingsValues::playerPages},
                                    std::pair{"ratings", &SettingsValues::ratings}}) {
        test::TempFolder folder;
        const std::string ini = folder.file("GravmarkParser.INI");
        const std::string line = std::string("\r\n") + key + "=1\r\n";
        SettingsValues values;
        writeSettings(ini, values);
        const std::string untouched = test::readFile(ini);
        EXPECT_EQ(untouched.find(key), std::string::npos);
        EXPECT_FALSE(readSettings(ini).*flag);

        values.*flag = true;
        writeSettings(ini, values);
        EXPECT_TRUE(readSettings(ini).*flag);
        const std::string on = test::readFile(ini);
        EXPECT_GT(on.find(line), on.find("[General]"));  // in its section
        EXPECT_LT(on.find(line), on.find("[Medals]"));

        values.*flag = false;
        writeSettings(ini, values);
        EXPECT_FALSE(readSettings(ini).*flag);
        EXPECT_NE(test::readFile(ini).find(std::string(key) + "=0\r\n"), std::string::npos);
    }
}

TEST(SettingsValues, PageStyleCodePageAndExportStayOutOfAFileUntilChanged) {
    test::TempFolder folder;
    const std::string ini = folder.file("GravmarkParser.INI");
    SettingsValues values;
    writeSettings(ini, values);
    for (const char* key : {"sitestyle", "logcodepage", "export"})
        EXPECT_EQ(test::readFile(ini).find(key), std::string::npos) << key;
    EXPECT_EQ(readSettings(ini), values);

    values.siteStyle = "modern";
    values.logCodePage = "windows-1251";
    values.exportData = true;
    writeSettings(ini, values);
    EXPECT_EQ(readSettings(ini), values);
    const std::string on = test::readFile(ini);
    EXPECT_GT(on.find("\r\nexport=1\r\n"), on.find("[General]"));
    EXPECT_LT(on.find("\r\nsitestyle=modern\r\n"), on.find("[Medals]"));
    // A hand-edited value in capitals means the same.
    test::writeFile(ini, "[General]\r\nsitestyle=Modern\r\nlogcodepage=UTF-8\r\n");
    EXPECT_EQ(readSettings(ini).siteStyle, "modern");
    EXPECT_EQ(readSettings(ini).logCodePage, "utf-8");
}

}  // namespace
}  // namespace gravmark
