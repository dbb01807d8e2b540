#pragma once
// Synthetic game-server logs in the real format, for benchmarks and the sample log of
// ./run. The output depends only on the shape: the random numbers come from our own
// generator, not from library distributions whose results differ between libraries.
//
// A log is a run of games. Each opens with a separator and an InitGame line carrying
// the backslash keys (g_gametype, gamename, mapname, protocol, ...) and closes with
// ExitLevel, ShutdownGame and a separator. Between them: about 40% damage lines, 30%
// kills (with world kills, suicides and head shots), 5% joins, and chat, sayteam,
// weapon and quit lines. Player names carry colour codes, quotes, HTML-special
// characters and bytes above 0x7F. Lines end in LF and carry the server's time prefix.
#include <cstdint>
#include <string>

namespace gravmark::loggen {

struct LogShape {
    int64_t lines = 5000;
    uint64_t seed = 1;
    int players = 300;
    int64_t linesPerGame = 2000;  // about; games vary around it
};

// The sample log that comes with the program (`gravmark-loggen --sample` makes it at build
// time). The batch recognises it by its bytes and refuses to publish it.
inline constexpr LogShape kSampleLogShape{.lines = 5000, .seed = 1};

std::string generateLog(const LogShape& shape);
// Streams the log to a file, so that a log of any size needs little memory.
// Throws std::runtime_error when the file cannot be written.
void writeLog(const LogShape& shape, const std::string& path);

}  // namespace gravmark::loggen
