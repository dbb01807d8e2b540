#pragma once
// The order of the player roster: the user's locale collation without regard to case, the
// empty name first. Names it finds equal are ordered by their case-folded text, then by
// their bytes, so only identical names compare equal: Bob and BOB are two roster entries
// (each counts its own exact spelling), BOB before Bob.
#include <string_view>

#include "table/collation.h"

namespace gravmark {

class RosterOrder {
public:
    // Negative, zero or positive as a sorts before, equal to or after b; zero only for
    // identical texts.
    int compare(std::string_view a, std::string_view b) const;

private:
    Collation collation_{false};  // the default locale's, taken at construction
};

}  // namespace gravmark
