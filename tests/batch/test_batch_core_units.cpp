// The two core units the batch command shares with the windows.
#include <gtest/gtest.h>

#include "settings/settings_values.h"
#include "support/temp_folder.h"
#include "table/event_table.h"
#include "table/player_table_fields.h"
#include "table/work_tables.h"

namespace gravmark {
namespace {

TEST(SettingsValues, DefaultsThenTheFileValues) {
    test::TempFolder folder;
    // No file: the defaults.
    EXPECT_EQ(readSettings(folder.file("GravmarkParser.INI")),
              (SettingsValues{"<none>",
                              "<none>",
                              "<none>",
                              "games_mp.log",
                              "<none>",
                              {true, true, true, true, false, true, true}}));

    test::writeFile(
        folder.file("GravmarkParser.INI"),
        "[ftpconnect]\r\nSERVER=ftp.clan.example:2121\r\nuser=gamer\r\npass=\" secret \"\r\n"
        "logfile=logs/games_mp.log\r\n[General]\r\nsavepath=/srv/www\r\n"
        "[Medals]\r\nkiller=0\r\nhshoot=true\r\nhdead=0x0\r\ntarget=2\r\ntnt=1\r\ngrenade=\r\nsuicide=0\r\n");
    // Flags that are not whole numbers, or empty, keep their defaults.
    EXPECT_EQ(readSettings(folder.file("GravmarkParser.INI")),
              (SettingsValues{"ftp.clan.example:2121",
                              "gamer",
                              " secret ",
                              "logs/games_mp.log",
                              "/srv/www",
                              {false, true, false, true, true, true, false}}));
}

// As at start-up: both tables just created from their field definitions.
TEST(WorkTables, StartEmptyOverOldFilesAndWriteThem) {
    test::TempFolder folder;
    test::writeFile(folder.file("lijst.xml"), "not a table");
    test::writeFile(folder.file("temp.xml"), "not a table either");
    RecordTable db, tempdb;
    db.setFieldDefs(eventTableFields());
    db.createDataSet();
    tempdb.setFieldDefs(playerTableFields());
    tempdb.createDataSet();

    recreateWorkTables(db, tempdb, folder.folder());
    EXPECT_EQ(db.fileName(), folder.file("lijst.xml"));
    EXPECT_EQ(tempdb.fileName(), folder.file("temp.xml"));
    EXPECT_TRUE(db.active() && tempdb.active());
    EXPECT_EQ(db.recordCount(), 0);

    // Both files are tables again: reading them back gives the empty tables.
    db.close();
    db.open();
    tempdb.close();
    tempdb.open();
    EXPECT_EQ(db.recordCount(), 0);
    EXPECT_EQ(tempdb.recordCount(), 0);
}

}  // namespace
}  // namespace gravmark
