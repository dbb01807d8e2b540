#pragma once
// The favourite victims and nemeses of a player page counted both ways when there are
// ratings (their head-to-head counts): how often the victim killed the player, or the
// player killed his nemesis. 0 for a name without a row.
#include <cstdint>

#include "site/site_summary.h"

namespace gravmark {

enum class OpponentSide { Victims, Nemeses };

// `site` carries ratings.
int32_t killsTheOtherWay(const SiteSummary& site, const PlayerSummary& player, const Opponent& opponent,
                         OpponentSide side);

}  // namespace gravmark
