#include "ingest/work_tables.h"

#include <filesystem>

#include "table/record_table.h"

namespace gravmark {

namespace {

void recreateEmpty(RecordTable& table) {
    table.close();
    table.createDataSet();
    table.setLogChanges(false);
}

}  // namespace

void recreateWorkTables(RecordTable& db, RecordTable& tempdb, const std::string& programFolder) {
    db.setFileName(programFolder + "lijst.xml");
    tempdb.setFileName(programFolder + "temp.xml");
    std::error_code ignored;
    std::filesystem::remove(programFolder + "lijst.xml", ignored);
    std::filesystem::remove(programFolder + "temp.xml", ignored);
    recreateEmpty(db);
    recreateEmpty(tempdb);
}

}  // namespace gravmark
