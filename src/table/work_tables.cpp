#include "table/work_tables.h"

#include <filesystem>

#include "platform/native_path.h"
#include "table/event_table.h"
#include "table/player_table_fields.h"
#include "table/record_table.h"

namespace gravmark {

namespace {

void recreateEmpty(RecordTable& table) {
    table.close();
    table.createDataSet();
    table.setLogChanges(false);
}

}  // namespace

void defineWorkTables(RecordTable& db, RecordTable& tempdb) {
    db.setFieldDefs(eventTableFields());
    db.createDataSet();
    tempdb.setFieldDefs(playerTableFields());
    tempdb.createDataSet();
}

void recreateWorkTables(RecordTable& db, RecordTable& tempdb, const std::string& folder) {
    db.setFileName(folder + "lijst.xml");
    tempdb.setFileName(folder + "temp.xml");
    std::error_code ignored;
    std::filesystem::remove(platform::nativePath(folder + "lijst.xml"), ignored);
    std::filesystem::remove(platform::nativePath(folder + "temp.xml"), ignored);
    recreateEmpty(db);
    recreateEmpty(tempdb);
}

}  // namespace gravmark
