#include "ingest/parse_game_start.h"

#include <cstdint>

namespace gravmark {

namespace {

// Position counted from 1, 0 when absent.
int64_t positionOf(std::string_view line, std::string_view key) {
    const size_t at = line.find(key);
    return at == std::string_view::npos ? 0 : static_cast<int64_t>(at) + 1;
}

std::string_view valueBetween(std::string_view line, std::string_view key, std::string_view closing) {
    const int64_t p = positionOf(line, key);
    const int64_t q = positionOf(line, closing);
    const int64_t skip = static_cast<int64_t>(key.size()) + 1;  // the key and its backslash
    const int64_t count = q - p - skip;
    const int64_t start = p + skip;  // from 1
    if (count <= 0 || start > static_cast<int64_t>(line.size())) return {};
    return line.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count));
}

}  // namespace

GameStart parseGameStart(std::string_view line) {
    return {valueBetween(line, "mapname", "\\protocol"), valueBetween(line, "g_gametype", "\\gamename")};
}

}  // namespace gravmark
