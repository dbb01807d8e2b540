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
    // --trust SHA256:..., the fingerprint of a server the user accepts; the fetch compares
    // it with what the server shows and, when equal, keeps it in the settings file.
    std::optional<std::string> trust;
    bool help = false;  // --help
};

// Throws gravmark::Error with a one-line reason on a usage error.
BatchOptions parseBatchOptions(const std::vector<std::string>& arguments);

extern const char* const kBatchUsage;

}  // namespace gravmark
