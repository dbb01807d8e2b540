#include "site/rivals.h"

namespace gravmark {

int32_t killsTheOtherWay(const SiteSummary& site, const PlayerSummary& player, const Opponent& opponent,
                         OpponentSide side) {
    if (opponent.player == kNoPlayer) return 0;
    const auto other = int32_t(site.players[size_t(opponent.player)].namedPlace);
    const auto self = int32_t(player.namedPlace);
    return side == OpponentSide::Victims ? site.ratings->headToHead.kills(other, self)
                                         : site.ratings->headToHead.kills(self, other);
}

}  // namespace gravmark
