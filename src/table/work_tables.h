#pragma once
// The start of every run: the event table and the player table get their work files
// "lijst.xml" and "temp.xml" (in the program folder for the desktop program, in
// a private folder for the batch command) and begin empty, so nothing is carried over
// from an earlier run.
#include <string>

namespace gravmark {

class RecordTable;

// Both tables as a new main window holds them: their field definitions, created and open.
void defineWorkTables(RecordTable& events, RecordTable& playerTable);

// For tables whose field definitions are set: points them at their work files, deletes
// both files if present (a failed deletion is ignored), then closes each table, creates
// it afresh and switches its change logging off. Closing a table whose file is missing
// writes it with what the table held (nothing, at start-up), so both work files exist
// afterwards.
// `folder` ends in a path separator.
void recreateWorkTables(RecordTable& events, RecordTable& playerTable, const std::string& folder);

}  // namespace gravmark
