#pragma once
// gravmark-batch as a scheduler starts it: a separate process with its own exit status,
// in the English (United States) locale and the UTC zone, so that pages are reproducible.
#include <QProcessEnvironment>
#include <functional>
#include <string>
#include <vector>

namespace gravmark::test {

struct BatchResult {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs the built gravmark-batch, or executable, in the test's environment as adjust leaves it;
// with terminateAfterMs, SIGTERM goes to it that long after its start.
BatchResult runBatchProcess(const std::vector<std::string>& arguments,
                            const std::function<void(QProcessEnvironment&)>& adjust = {},
                            const std::string& executable = GRAVMARK_BATCH_EXE, int terminateAfterMs = -1);

}  // namespace gravmark::test
