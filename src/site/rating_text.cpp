#include "site/rating_text.h"

#include <cmath>

namespace gravmark {

std::string ratingText(const PlayerRating& rating, int32_t rankedCount) {
    if (!rating.rated) return "not rated";
    const std::string interval = std::to_string(std::lround(rating.rating)) + " &plusmn; " +
                                 std::to_string(std::lround(2 * rating.deviation));
    if (rating.provisional) return interval + ", provisional";
    return interval + ", rank " + std::to_string(rating.rank) + " of " + std::to_string(rankedCount);
}

}  // namespace gravmark
