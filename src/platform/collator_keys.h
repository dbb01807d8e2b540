#pragma once
// Whether the collator's sort keys can stand in for its comparisons.

namespace gravmark::platform {

// True where QCollator's sort keys order texts as QCollator::compare() does (ICU's, on
// Linux). Qt 6.4's Windows keys do not: each is made in a buffer twice the size Windows
// fills, so its second half is whatever the memory held, and keys compare as UTF-16 text
// rather than as the bytes Windows defines them to be.
bool collatorSortKeysWork();

}  // namespace gravmark::platform
