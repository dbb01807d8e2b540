#pragma once
// The seven medals as the player pages name them, in the page's medal order (the order of
// the settings window's check boxes), with the picture the main page shows for each.
#include <array>
#include <string>

#include "stats/medal_winners.h"

namespace gravmark {

struct SiteMedal {
    const char* caption;
    const char* picture;
    std::string MedalWinners::*winner;
};

inline const std::array<SiteMedal, 7> kSiteMedals = {{
    {"#1 Killer", "medal_pro_killer.png", &MedalWinners::killer},
    {"#1 Headshooter", "medal_pro_headshot.png", &MedalWinners::headshooter},
    {"#1 Shot in the head", "medal_pro_headshotR.png", &MedalWinners::shotInTheHead},
    {"#1 Target", "medal_anti_no1target.png", &MedalWinners::target},
    {"#1 Killer using TNT (Admiral MOD)", "medal_tnt_killer_small.png", &MedalWinners::tnt},
    {"#1 Killer using Grenades", "medal_grenade_killer_small.png", &MedalWinners::grenades},
    {"#1 Suicide Dude", "medal_anti_suicide.png", &MedalWinners::suicide},
}};

}  // namespace gravmark
