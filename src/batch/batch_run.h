#pragma once
// One run of gravmark-batch: LOAD, PARSE, HTML (the statistics branch) and SAVE in the
// folder of the options, with the same core calls, in the same order and with the same
// inputs as ALL and SAVE in the desktop program, so that both write the same page.
#include <functional>
#include <string>

#include "batch/batch_options.h"

namespace gravmark {

// Hears the start of each step: "FETCH", "LOAD", "PARSE", "HTML", "SAVE"; the benchmark
// times the steps by it.
using BatchStepListener = std::function<void(const std::string& step)>;

// Returns the exit status: 0 when the page was saved, 1 after any failure, whose message
// has then gone to standard error as "error: " + message.
int runBatch(const BatchOptions& options, const BatchStepListener& onStep = {});

}  // namespace gravmark
