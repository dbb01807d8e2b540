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

void defineWorkTables(RecordTable& events, RecordTable& playerTable) {
    events.setFieldDefs(eventTableFields());
    events.createDataSet();
    playerTable.setFieldDefs(playerTableFields());
    playerTable.createDataSet();
}

void recreateWorkTables(RecordTable& events, RecordTable& playerTable, const std::string& folder) {
    events.setFileName(folder + "lijst.xml");
    playerTable.setFileName(folder + "temp.xml");
    std::error_code ignored;
    std::filesystem::remove(platform::nativePath(folder + "lijst.xml"), ignored);
    std::filesystem::remove(platform::nativePath(folder + "temp.xml"), ignored);
    recreateEmpty(events);
    recreateEmpty(playerTable);
}

}  // namespace gravmark
