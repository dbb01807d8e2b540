#include "site/rating_extras.h"

#include <cmath>
#include <cstdio>

namespace gravmark {

namespace {

constexpr std::string_view kPlusMinus = "\xC2\xB1";  // in UTF-8, as the modern pages are

// Enough digits to read back the same double.
std::string fullPrecision(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string ratingJson(const PlayerRating& rating) {
    if (!rating.rated) return "null";
    return "{\"r\": " + fullPrecision(rating.rating) + ", \"rd\": " + fullPrecision(rating.deviation) +
           ", \"sigma\": " + fullPrecision(rating.volatility) +
           ", \"provisional\": " + (rating.provisional ? "true" : "false") +
           ", \"rank\": " + (rating.rank > 0 ? std::to_string(rating.rank) : "null") + "}";
}

}  // namespace

void addRatingExtras(PlayerExtras& extras, const SiteSummary& site, const RatingReport& ratings) {
    ExtraColumn shown{"Rating", {}, false}, rank{"Rank", {}, false};
    ExtraField field{"rating", {}};
    for (const PlayerSummary& player : site.players) {
        const PlayerRating& rating = ratings.players[player.namedPlace];
        field.json.push_back(ratingJson(rating));
        if (!rating.rated) {
            shown.cells.push_back("not rated");
            rank.cells.emplace_back();
            continue;
        }
        shown.cells.push_back(std::to_string(std::lround(rating.rating)) + " " + std::string(kPlusMinus) +
                              " " + std::to_string(std::lround(2 * rating.deviation)));
        rank.cells.push_back(rating.provisional ? "provisional"
                                                : std::to_string(rating.rank) + " of " +
                                                      std::to_string(ratings.rankedCount));
    }
    extras.columns.push_back(std::move(shown));
    extras.columns.push_back(std::move(rank));
    extras.fields.push_back(std::move(field));
}

}  // namespace gravmark
