#pragma once
// The command line of gravmark-batch.
#include <QDateTime>
#include <optional>
#include <string>
#include <vector>

namespace gravmark {

struct BatchOptions {
    std::optional<std::string> folder;  // --folder DIR (default: the program's own folder)
    bool fetch = false;                 // --fetch
    std::optional<std::string> out;     // --out FILE
    std::optional<QDateTime> now;       // --now "YYYY-MM-DD HH:MM:SS", a local time
    bool quiet = false;                 // --quiet
    bool help = false;                  // --help
};

// Throws gravmark::Error with a one-line reason on a usage error.
BatchOptions parseBatchOptions(const std::vector<std::string>& arguments);

extern const char* const kBatchUsage;

}  // namespace gravmark
