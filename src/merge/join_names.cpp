#include "merge/join_names.h"

#include "common/error.h"

namespace gravmark {

namespace {

// Renames every record of the range of `name` on the index "a_name". A renamed record
// leaves the range; the table then stands on the first remaining record when the new name
// sorts before the range, on the last when it sorts after it, so one move to the next
// record per pass reaches a record not yet renamed either way.
void rename(RecordTable& db, const std::string& name, const std::string& keptName) {
    const std::vector<Value> key{name};
    db.setKeyRange(key, key);
    const int count = db.recordCount();
    db.first();
    for (int pass = 0; pass < count; ++pass) {
        db.edit();
        db.setText("a_name", keptName);
        db.post();
        db.next();
    }
    db.clearKeyRange();
}

}  // namespace

void joinNames(RecordTable& db, const std::optional<std::string>& keptName,
               const std::vector<std::pair<std::string, bool>>& rightItems, Progress& joinstatus) {
    if (!keptName) throw Error("List index out of bounds (-1)");
    joinstatus.setPartsComplete(0);
    joinstatus.setTotalParts(static_cast<int64_t>(rightItems.size()));
    db.clearKeyRange();
    db.setFiltered(false);
    db.setIndexFieldNames("a_name");
    for (size_t i = 0; i < rightItems.size(); ++i) {
        const auto& [text, selected] = rightItems[i];
        if (selected && text != *keptName) rename(db, text, *keptName);
        joinstatus.setPartsComplete(static_cast<int64_t>(i));
    }
    joinstatus.setPartsComplete(joinstatus.totalParts());
    db.clearKeyRange();
}

}  // namespace gravmark
