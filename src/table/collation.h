#pragma once
// The one place that defines how texts compare for ordering.
//
// Texts are 8-bit and shown to the collator as Latin-1. The collator is the default
// QLocale()'s, taken when the Collation is made. Case-sensitive comparison breaks
// collator ties by byte order, so only identical texts compare equal (the collator
// would otherwise equate texts that differ, for instance in control characters).
// Case-insensitive comparison keeps collator ties: "Bob" and "BOB" are equal.
#include <QCollator>
#include <QCollatorSortKey>
#include <string_view>

namespace gravmark {

class Collation {
public:
    explicit Collation(bool caseSensitive = true);

    // Negative, zero or positive as a sorts before, with or after b.
    int compare(std::string_view a, std::string_view b) const;

    // A key whose comparison agrees with the collator (case-sensitive collations only;
    // ties between different texts must still be broken by bytes, see compareKeyed).
    QCollatorSortKey sortKey(std::string_view text) const;
    static int compareKeyed(const QCollatorSortKey& ka, std::string_view a, const QCollatorSortKey& kb,
                            std::string_view b);

private:
    QCollator collator_;
    bool caseSensitive_;
};

}  // namespace gravmark
