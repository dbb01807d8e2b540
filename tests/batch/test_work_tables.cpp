// The work tables as the batch command and the main window both start them.
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/record_table.h"
#include "table/work_tables.h"

namespace gravmark {
namespace {

// As at start-up: both tables just created from their field definitions.
TEST(WorkTables, StartEmptyOverOldFilesAndWriteThem) {
    test::TempFolder folder;
    test::writeFile(folder.file("lijst.xml"), "not a table");
    test::writeFile(folder.file("temp.xml"), "not a table either");
    RecordTable db, tempdb;
    defineWorkTables(db, tempdb);

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
