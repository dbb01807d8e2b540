#pragma once
// The kind of a log line, told by a short token near its start.
#include <string_view>

namespace gravmark {

enum class LineKind { None, Kill, Join, Say, SayTeam, D, GameStart };

// Runs the six token tests in order (" K", " J", " say", " sayteam", " D",
// " InitGame:"); a test passes when the first occurrence of its token begins at
// position 1 to 9, and the last test that passes decides.
LineKind classifyLine(std::string_view line);

}  // namespace gravmark
