#pragma once
// The generated logs the statistics benchmarks share: one file per size and player count
// in $TMPDIR (or /tmp), written on first use and reused by later runs; and their
// "--lines N" option.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "log_generator.h"
#include "table/record_table.h"

namespace gravmark::bench {

inline std::filesystem::path scratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return std::filesystem::path(tmp ? tmp : "/tmp");
}

inline std::filesystem::path generatedLog(int64_t lines, int players) {
    const std::filesystem::path log = scratchFolder() / ("gravmark-bench-" + std::to_string(lines) + "-" +
                                                         std::to_string(players) + ".log");
    if (!std::filesystem::exists(log)) writeLog({.lines = lines, .players = players}, log.string());
    return log;
}

// LOAD and PARSE of `log` into `events`; returns the game count.
inline int32_t parseLogInto(const std::filesystem::path& log, GameEvents& events) {
    TextBoxLines memo1, memo2;
    Progress progress;
    loadLog(log.string(), memo1, progress);
    int32_t gameCount = 0;
    parseLog(memo1, events, false, memo2, progress, gameCount);
    return gameCount;
}

// The value after "--lines", or `lines` when there is none.
inline int64_t linesOption(int argc, char** argv, int64_t lines) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--lines") lines = std::stoll(argv[i + 1]);
    }
    return lines;
}

}  // namespace gravmark::bench
