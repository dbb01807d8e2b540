#pragma once
// StringPool: every distinct text of a table stored once, addressed by a 32-bit id.
//
// Ids are handed out in order of first appearance and never change. For index orders
// each text also gets a label: an integer that sorts as the text sorts under the
// case-sensitive collation (only identical texts share a label). Labels are given
// lazily (ensureLabels) and spaced out, so that a new text usually slots in between
// its neighbours without touching the others; when no room is left every text is
// labelled afresh and generation() changes, telling holders of labels to refresh.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/byte_arena.h"
#include "table/collation.h"

namespace gravmark {

class StringPool {
public:
    uint32_t intern(std::string_view text);
    static constexpr uint32_t kNotFound = UINT32_MAX;
    uint32_t find(std::string_view text) const;  // the text's id, or kNotFound
    std::string_view text(uint32_t id) const { return texts_[id]; }
    uint32_t size() const { return uint32_t(texts_.size()); }
    void clear();

    void ensureLabels();
    uint64_t label(uint32_t id) const { return labels_[id]; }  // valid after ensureLabels
    uint64_t generation() const { return generation_; }

private:
    void grow();
    size_t slotOf(std::string_view text, uint32_t hash) const;
    void relabelAll();
    bool before(uint32_t a, uint32_t b) const;
    bool slotIn(uint32_t id);

    ByteArena bytes_;
    std::vector<std::string_view> texts_;
    std::vector<uint32_t> hashes_;
    std::vector<uint32_t> slots_;  // open addressing: id + 1, 0 for a free slot

    std::optional<Collation> collation_;
    std::vector<QCollatorSortKey> keys_;  // by id, for the labelled texts
    std::vector<uint32_t> sorted_;        // labelled ids in collation order
    std::vector<uint64_t> labels_;
    uint64_t generation_ = 0;
};

}  // namespace gravmark
