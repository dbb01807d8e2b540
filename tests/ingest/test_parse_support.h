#pragma once
// A PARSE run over a line store, its events shown in an event table whose work file lives
// in a temporary folder (as the window shows them), and a readable copy of the records.
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/log_parser.h"
#include "support/temp_folder.h"
#include "table/event_table.h"

namespace gravmark::test {

// One stored event: field name -> value as text; null fields are absent.
using EventRecord = std::map<std::string, std::string>;

struct ParseRun {
    TempFolder folder;
    GameEvents events;
    RecordTable db;
    TextBoxLines memo1;
    TextBoxLines memo2;
    Progress progress;
    int32_t gameCount = -1;

    ParseRun() {
        db.setFieldDefs(eventTableFields());
        db.setFileName(folder.file("lijst.xml"));
        db.createDataSet();
    }

    int32_t parse(bool showDetails = false) {
        const int32_t stored = parseLog(memo1, events, showDetails, memo2, progress, gameCount);
        showEventsInTable(events, db);
        return stored;
    }

    std::vector<EventRecord> records() {
        std::vector<EventRecord> out;
        for (db.first(); !db.eof(); db.next()) {
            EventRecord record;
            for (const FieldDef& def : db.fieldDefs()) {
                const Value value = db.fieldValue(def.name);
                if (const auto* text = std::get_if<std::string>(&value)) record[def.name] = *text;
                if (const auto* number = std::get_if<int32_t>(&value))
                    record[def.name] = std::to_string(*number);
            }
            out.push_back(std::move(record));
        }
        return out;
    }
};

}  // namespace gravmark::test
