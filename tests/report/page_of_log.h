#pragma once
// A log file from LOAD to the saved page, as ALL runs it: a fixed time, every medal ticked,
// the templates that `folder` holds, and the en_US locale of the test main. The log is
// copied into `folder` as games_mp.log and the page saved as index.html there.
#include <string>

#include "support/temp_folder.h"

namespace gravmark::test {

void savePageOfLog(const std::string& logFile, const TempFolder& folder);

}  // namespace gravmark::test
