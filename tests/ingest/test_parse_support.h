#pragma once
// A PARSE run over a line store, with an event table whose work file lives in a
// temporary folder, and a readable copy of the stored records.
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
        return parseLog(memo1, db, showDetails, memo2, progress, gameCount);
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
