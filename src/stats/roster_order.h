#pragma once
// The order of the player roster: the user's locale collation without regard to case,
// the empty name first. Two names are one roster entry only when the collation finds them
// equal and they are the same text after case folding, so that a name that differs from
// another only in characters the locale ignores (control characters) is still a player
// of its own, while Bob and BOB are one.
#include <string_view>

#include "table/collation.h"

namespace gravmark {

class RosterOrder {
public:
    // Negative, zero or positive as a sorts before, equal to or after b.
    int compare(std::string_view a, std::string_view b) const;

private:
    Collation collation_{false};  // the default locale's, taken at construction
};

}  // namespace gravmark
