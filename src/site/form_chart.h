#pragma once
// A player's form: his kills (up) and deaths (down) in each of his last games as an
// inline SVG bar chart, oldest first; hovering a game's bars names the game and its map.
#include <span>
#include <string>
#include <vector>

#include "stats/rating_report.h"

namespace gravmark {

// Empty when there is no game to draw. `mapOfGame` by game number.
std::string formChart(std::span<const FormGame> games, const std::vector<std::string>& mapOfGame);

}  // namespace gravmark
