// What the tables and the roster rely on from the locale's collation on every system: ICU's
// on Linux and Windows' own on Windows order some texts differently (punctuation, control
// characters), so the exact order of such names is each system's, but these hold on both.
#include "table/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/collator_keys.h"

namespace gravmark {
namespace {

TEST(Collation, LettersBeforeCaseAndAccentsAndOnlyIdenticalTextsTie) {
    const Collation sensitive;
    std::vector<std::string> names{"f", "B", "\xe9t\xe9", "Alpha2", "a", "ete", "Alpha", "b", "A"};
    std::sort(names.begin(), names.end(),
              [&](const std::string& x, const std::string& y) { return sensitive.compare(x, y) < 0; });
    EXPECT_EQ(names,
              (std::vector<std::string>{"a", "A", "Alpha", "Alpha2", "b", "B", "ete", "\xe9t\xe9", "f"}));

    // Texts the collator may take as equal still have an order, the same both ways round,
    // and the sort keys, where the string pool uses them, give the order of compare().
    const std::vector<std::string> awkward{"", "a", "\001a", "a\x7f", "_x", "-x", "x", "X", "\xe9", "e"};
    for (const std::string& x : awkward) {
        for (const std::string& y : awkward) {
            const int order = sensitive.compare(x, y);
            EXPECT_EQ(order == 0, x == y) << x << " / " << y;
            EXPECT_EQ(order, -sensitive.compare(y, x)) << x << " / " << y;
            if (platform::collatorSortKeysWork()) {
                EXPECT_EQ(Collation::compareKeyed(sensitive.sortKey(x), x, sensitive.sortKey(y), y), order)
                    << x << " / " << y;
            }
        }
    }

    const Collation blind(false);
    EXPECT_EQ(blind.compare("Bob", "BOB"), 0);
    EXPECT_LT(blind.compare("bob", "Carl"), 0);
}

}  // namespace
}  // namespace gravmark
