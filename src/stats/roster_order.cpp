#include "stats/roster_order.h"

#include <QString>
#include <algorithm>
#include <numeric>

#include "platform/collator_keys.h"

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

std::vector<size_t> RosterOrder::order(const std::vector<std::string_view>& names) const {
    std::vector<size_t> positions(names.size());
    std::iota(positions.begin(), positions.end(), size_t(0));
    if (!platform::collatorSortKeysWork()) {
        std::sort(positions.begin(), positions.end(),
                  [&](size_t a, size_t b) { return compare(names[a], names[b]) < 0; });
        return positions;
    }
    std::vector<QCollatorSortKey> keys;
    std::vector<QString> folded;
    keys.reserve(names.size());
    folded.reserve(names.size());
    for (const std::string_view name : names) {
        keys.push_back(collation_.sortKey(name));
        folded.push_back(caseFolded(name));
    }
    std::sort(positions.begin(), positions.end(), [&](size_t a, size_t b) {
        if (names[a].empty() || names[b].empty()) return names[a].empty() && !names[b].empty();
        if (const int byCollation = keys[a].compare(keys[b]); byCollation != 0) return byCollation < 0;
        if (const int byFoldedText = folded[a].compare(folded[b], Qt::CaseSensitive); byFoldedText != 0)
            return byFoldedText < 0;
        return names[a] < names[b];
    });
    return positions;
}

void RosterOrder::sort(std::vector<std::string>& names) const {
    const std::vector<size_t> positions = order(std::vector<std::string_view>(names.begin(), names.end()));
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const size_t position : positions) sorted.push_back(std::move(names[position]));
    names = std::move(sorted);
}

}  // namespace gravmark
