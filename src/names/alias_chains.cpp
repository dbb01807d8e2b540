#include "names/alias_chains.h"

namespace gravmark {

int AliasChains::idOf(std::string_view name) {
    const auto found = ids_.find(name);
    if (found != ids_.end()) return found->second;
    const int id = static_cast<int>(names_.size());
    const auto added = ids_.emplace(std::string(name), id).first;
    names_.push_back(&added->first);
    next_.push_back(id);
    hasRule_.push_back(false);
    return id;
}

// Follows the rules to the chain's end, pointing every name passed straight at it, so that
// long chains are walked once.
int AliasChains::endOf(int id) {
    int end = id;
    while (next_[end] != end) end = next_[end];
    while (next_[id] != end && id != end) {
        const int following = next_[id];
        next_[id] = end;
        id = following;
    }
    return end;
}

bool AliasChains::wouldCycle(std::string_view alias, std::string_view kept) {
    return endOf(idOf(kept)) == idOf(alias);
}

void AliasChains::add(std::string_view alias, std::string_view kept) {
    const int from = idOf(alias);
    next_[from] = idOf(kept);
    hasRule_[from] = true;
    ++rules_;
}

bool AliasChains::hasRule(std::string_view alias) const {
    const auto found = ids_.find(alias);
    return found != ids_.end() && hasRule_[found->second];
}

NameRenames AliasChains::finalNames() {
    NameRenames renames;
    for (int id = 0; id < static_cast<int>(names_.size()); ++id) {
        if (hasRule_[id]) renames.emplace(*names_[id], *names_[endOf(id)]);
    }
    return renames;
}

}  // namespace gravmark
