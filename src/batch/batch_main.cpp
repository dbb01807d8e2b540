// gravmark-batch: LOAD, PARSE, HTML and SAVE without any window, for a scheduler.
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/stop_signals.h"
#include "batch/watch_run.h"
#include "common/error.h"
#include "platform/terminal.h"

int main(int argc, char** argv) {
    gravmark::platform::writeStandardStreamsAsBytes();
    QCoreApplication app(argc, argv);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    gravmark::BatchOptions options;
    try {
        options = gravmark::parseBatchOptions(arguments);
    } catch (const gravmark::Error& usage) {
        std::fprintf(stderr, "gravmark-batch: %s\n\n%s", usage.what(), gravmark::kBatchUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(gravmark::kBatchUsage, stdout);
        return 0;
    }
    if (options.watchSeconds || !options.servers.empty()) {
        gravmark::SystemWatchClock clock(gravmark::stopOnTerminationSignals());
        return gravmark::runWatch(options, clock);
    }
    return gravmark::runBatch(options);
}
