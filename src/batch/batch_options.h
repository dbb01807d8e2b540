#pragma once
// The command line of gravmark-batch.
#include <QDateTime>
#include <optional>
#include <string>
#include <vector>

namespace gravmark {

// --server NAME=FOLDER: one game server's program folder, with its own settings, log,
// kept copies and fetch; NAME names its page NAME/index.html beside the combined page.
struct ServerFolder {
    std::string name;
    std::string folder;
};

inline constexpr int kDefaultWatchSeconds = 30;

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
    // --watch [SECONDS]: keep the page current, looking every SECONDS (1 to 86400).
    std::optional<int> watchSeconds;
    std::vector<ServerFolder> servers;  // --server NAME=FOLDER, in the order given
};

// Throws gravmark::Error with a one-line reason on a usage error.
BatchOptions parseBatchOptions(const std::vector<std::string>& arguments);

extern const char* const kBatchUsage;

}  // namespace gravmark
