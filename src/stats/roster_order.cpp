#include "stats/roster_order.h"

#include <QString>

namespace gravmark {

namespace {

QString caseFolded(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded();
}

}  // namespace

int RosterOrder::compare(std::string_view a, std::string_view b) const {
    if (a.empty() || b.empty()) return static_cast<int>(!a.empty()) - static_cast<int>(!b.empty());
    const int byCollation = collation_.compare(a, b);
    if (byCollation != 0) return byCollation;
    const int byFoldedText = caseFolded(a).compare(caseFolded(b), Qt::CaseSensitive);
    if (byFoldedText != 0) return byFoldedText;
    return a.compare(b);
}

}  // namespace gravmark
