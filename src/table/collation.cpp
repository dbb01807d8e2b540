#include "table/collation.h"

#include <QLocale>
#include <QString>

namespace gravmark {

namespace {

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

int sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

Collation::Collation(bool caseSensitive) : collator_(QLocale()), caseSensitive_(caseSensitive) {
    collator_.setCaseSensitivity(caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

int Collation::compare(std::string_view a, std::string_view b) const {
    int c = sign(collator_.compare(latin1(a), latin1(b)));
    if (c != 0 || !caseSensitive_) return c;
    return sign(a.compare(b));
}

QCollatorSortKey Collation::sortKey(std::string_view text) const { return collator_.sortKey(latin1(text)); }

int Collation::compareKeyed(const QCollatorSortKey& ka, std::string_view a, const QCollatorSortKey& kb,
                            std::string_view b) {
    int c = sign(ka.compare(kb));
    return c != 0 ? c : sign(a.compare(b));
}

}  // namespace gravmark
