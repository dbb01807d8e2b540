#pragma once
// The map name and game type of a game-start line.
#include <string_view>

namespace gravmark {

struct GameStart {
    std::string_view mapName;   // between "mapname" and its backslash, and "\protocol"
    std::string_view gameType;  // between "g_gametype" and its backslash, and "\gamename"
};

// Both values follow the position rule: with p the position of the key and q that of
// the closing key (0 when absent), the q - p - len(key) - 1 characters from position
// p + len(key) + 1; a count of 0 or less is empty, and the stretch stops at the line end.
GameStart parseGameStart(std::string_view line);

}  // namespace gravmark
