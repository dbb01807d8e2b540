#pragma once
// A log file from LOAD to the saved page, as ALL runs it: a fixed time, every medal ticked,
// the templates that `folder` holds, and the en_US locale of the test main. The page is
// saved as index.html in `folder`.
#include <string>

#include "support/temp_folder.h"

namespace gravmark::test {

void savePageOfLog(const std::string& logFile, const TempFolder& folder);

}  // namespace gravmark::test
