#pragma once
// The order of the player roster: the user's locale collation without regard to case, the
// empty name first. Names it finds equal are ordered by their case-folded text, then by
// their bytes, so only identical names compare equal: Bob and BOB are two roster entries
// (each counts its own exact spelling), BOB before Bob.
#include <string>
#include <string_view>
#include <vector>

#include "table/collation.h"

namespace gravmark {

class RosterOrder {
public:
    // Negative, zero or positive as a sorts before, equal to or after b; zero only for
    // identical texts.
    int compare(std::string_view a, std::string_view b) const;
    // The positions of `names` in the order compare() gives. Where the collator's sort keys
    // order as its comparisons (Linux), a key is made once per name instead of two
    // conversions per comparison: a public server's 50,000 names sort in a fraction.
    std::vector<size_t> order(const std::vector<std::string_view>& names) const;
    // `names` sorted by compare().
    void sort(std::vector<std::string>& names) const;

private:
    Collation collation_{false};  // the default locale's, taken at construction
};

}  // namespace gravmark
