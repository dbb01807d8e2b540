#pragma once
// gravmark-batch as a scheduler starts it: a separate process with its own exit status,
// in the English (United States) locale and the UTC zone, so that pages are reproducible.
#include <string>
#include <vector>

namespace gravmark::test {

struct BatchResult {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// With terminateAfterMs, SIGTERM goes to the process that long after its start.
BatchResult runBatchProcess(const std::vector<std::string>& arguments, int terminateAfterMs = -1);

}  // namespace gravmark::test
