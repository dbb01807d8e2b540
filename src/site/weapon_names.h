#pragma once
// What a player calls a weapon or a hit location, for the modern pages: the ids that the
// Call of Duty games (1, United Offensive, 2, 4) and their common mods write into their
// logs ("mp44_mp", "kar98k_sniper_mp", "gl_ak47_mp", "m4_reflex_mp", "torso_upper").
#include <string>
#include <string_view>

namespace gravmark {

// The weapon's name: the id's base weapon with its attachment ("M4 Carbine (red dot)", "AK-47
// grenade launcher"); an id the table does not know comes back as it is.
std::string weaponName(std::string_view id);

// "Head", "Upper torso", "Left forearm"; an unknown id as it is.
std::string hitLocationName(std::string_view id);

}  // namespace gravmark
