#pragma once
// Comparison with a stored expected file. On a mismatch (or a missing expected file)
// the actual bytes go to NAME.actual beside it and `diff -u` shows the difference;
// a match removes a stale NAME.actual. With the environment variable
// GRAVMARK_UPDATE_EXPECTED set, the actual bytes become the stored expected file.
#include <string>

namespace gravmark::test {

bool matchesExpectedFile(const std::string& expectedPath, const std::string& actual);

}  // namespace gravmark::test
