#include <gtest/gtest.h>

#include "common/error.h"
#include "common/program_folder.h"
#include "settings/ini_file.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

TEST(IniFile, ReadsValuesWithoutRegardToCaseTrimmedAndUnquoted) {
    TempFolder folder;
    const std::string path = folder.file("s.ini");
    writeFile(path,
              "[ftpCONNECT]\r\n"
              "  Server =  ftp.example.org  \r\n"
              "PASS=secret \r\n"
              "user=\"quoted name\"\r\n"
              "logfile='single'\r\n"
              "mixed=\"half'\r\n"
              "lonequote=\"\r\n"
              "[general]\n"
              "savepath=\t/srv/www\t\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.readString("FTPconnect", "server", "<none>"), "ftp.example.org");
    EXPECT_EQ(ini.readString("FTPconnect", "pass", "<none>"), "secret");
    EXPECT_EQ(ini.readString("FTPconnect", "user", "<none>"), "quoted name");
    EXPECT_EQ(ini.readString("FTPconnect", "logfile", ""), "single");
    EXPECT_EQ(ini.readString("FTPconnect", "mixed", ""), "\"half'");
    EXPECT_EQ(ini.readString("FTPconnect", "lonequote", ""), "\"");
    EXPECT_EQ(ini.readString("General", "SAVEPATH", "<none>"), "/srv/www");
    // A key of another section, a missing section and a missing file give the default.
    EXPECT_EQ(ini.readString("General", "server", "<none>"), "<none>");
    EXPECT_EQ(ini.readString("Medals", "killer", "x"), "x");
    EXPECT_EQ(IniFile(folder.file("missing.ini")).readString("General", "savepath", "<none>"), "<none>");
}

TEST(IniFile, ReadsAtMost2047Characters) {
    TempFolder folder;
    const std::string path = folder.file("s.ini");
    writeFile(path, "[General]\r\nsavepath=" + std::string(3000, 'a') + "\r\n");
    EXPECT_EQ(IniFile(path).readString("General", "savepath", ""), std::string(2047, 'a'));
}

TEST(IniFile, ReadsFlagsAsWholeNumbers) {
    TempFolder folder;
    const std::string path = folder.file("s.ini");
    writeFile(path,
              "[Medals]\r\n"
              "two=2\r\nhex=0x1\r\nHEX=0X0\r\nzero=0\r\nminus=-1\r\ntrue=true\r\nempty=\r\n"
              "shorthex=0x\r\nhuge=99999999999\r\nbadhex=0xg\r\nspaced= 0 \r\n");
    const IniFile ini(path);
    EXPECT_TRUE(ini.readBool("Medals", "two", false));
    EXPECT_TRUE(ini.readBool("Medals", "hex", false));
    EXPECT_TRUE(ini.readBool("Medals", "minus", false));
    EXPECT_FALSE(ini.readBool("Medals", "zero", true));
    EXPECT_FALSE(ini.readBool("Medals", "spaced", true));
    // "HEX" matches "hex" first: the first line of a key wins.
    EXPECT_TRUE(ini.readBool("Medals", "HEX", false));
    for (const char* unreadable : {"true", "empty", "shorthex", "huge", "badhex", "missing"}) {
        EXPECT_TRUE(ini.readBool("Medals", unreadable, true)) << unreadable;
        EXPECT_FALSE(ini.readBool("Medals", unreadable, false)) << unreadable;
    }
}

TEST(IniFile, WritesANewFileInCallOrderWithCrLf) {
    TempFolder folder;
    const std::string path = folder.file("s.ini");
    const IniFile ini(path);
    ini.writeString("FTPconnect", "server", "host");
    ini.writeString("FTPconnect", "user", "me");
    ini.writeString("General", "savepath", "<none>");
    ini.writeBool("Medals", "killer", true);
    ini.writeBool("Medals", "tnt", false);
    EXPECT_EQ(readFile(path),
              "[FTPconnect]\r\nserver=host\r\nuser=me\r\n[General]\r\nsavepath=<none>\r\n"
              "[Medals]\r\nkiller=1\r\ntnt=0\r\n");
}

TEST(IniFile, KeepsOtherContentWhenWriting) {
    TempFolder folder;
    const std::string path = folder.file("s.ini");
    writeFile(path,
              "; written by hand\n"
              "[Other]\n"
              "keep=this\n"
              "[ftpconnect]\n"
              "SERVER=old\n"
              "pass=x\n"
              "\n"
              "[medals]\n"
              "killer=0\n");
    const IniFile ini(path);
    ini.writeString("FTPconnect", "server", "new");
    ini.writeString("FTPconnect", "logfile", "games_mp.log");
    ini.writeBool("Medals", "killer", true);
    ini.writeString("General", "savepath", "/tmp");
    EXPECT_EQ(readFile(path),
              "; written by hand\r\n[Other]\r\nkeep=this\r\n[ftpconnect]\r\nserver=new\r\npass=x\r\n"
              "logfile=games_mp.log\r\n\r\n[medals]\r\nkiller=1\r\n[General]\r\nsavepath=/tmp\r\n");
    EXPECT_EQ(ini.readString("ftpconnect", "SERVER", ""), "new");
}

TEST(IniFile, AByteOrderMarkIsSkippedOnReadingAndKeptOnWriting) {
    TempFolder folder;
    const std::string path = folder.file("s.ini");
    writeFile(path, "\xEF\xBB\xBF[General]\r\nsavepath=/srv/www\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.readString("General", "savepath", "<none>"), "/srv/www");
    ini.writeString("General", "savepath", "/srv/site");
    EXPECT_EQ(readFile(path), "\xEF\xBB\xBF[General]\r\nsavepath=/srv/site\r\n");

    // Only at the very start is it a mark; elsewhere the bytes belong to the line.
    writeFile(path, "[General]\r\n\xEF\xBB\xBFsavepath=/srv/www\r\n");
    EXPECT_EQ(ini.readString("General", "savepath", "<none>"), "<none>");
}

TEST(IniFile, ReportsAFileThatCannotBeWritten) {
    TempFolder folder;
    const std::string path = folder.file("no such folder/GravmarkParser.INI");
    try {
        IniFile(path).writeString("FTPconnect", "server", "host");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}

TEST(IniFile, SettingsFileLivesInTheProgramFolder) {
    const std::string saved = programFolder();
    setProgramFolder("/some/where");
    EXPECT_EQ(settingsFileName(), "/some/where/GravmarkParser.INI");
    setProgramFolder(saved);
}

}  // namespace
}  // namespace gravmark
