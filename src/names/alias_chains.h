#pragma once
// AliasChains: where the rules "alias -> kept name" lead. Rules chain (a -> b and b -> c
// make a -> c, whatever order they were added in); a rule that would close a cycle is
// refused. Each alias has at most one rule.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "names/name_renames.h"

namespace gravmark {

class AliasChains {
public:
    AliasChains() = default;
    // Moved, never copied: names_ points into the keys of ids_.
    AliasChains(AliasChains&&) = default;
    AliasChains& operator=(AliasChains&&) = default;
    AliasChains(const AliasChains&) = delete;
    AliasChains& operator=(const AliasChains&) = delete;

    // Whether the rule alias -> kept would lead a name back to itself, given the rules added
    // so far. `alias` must not have a rule yet.
    bool wouldCycle(std::string_view alias, std::string_view kept);
    // Adds the rule; `alias` must not have a rule yet and the rule must not close a cycle.
    void add(std::string_view alias, std::string_view kept);
    bool hasRule(std::string_view alias) const;
    size_t ruleCount() const { return rules_; }
    // Every alias with the name at the end of its chain.
    NameRenames finalNames();

private:
    int idOf(std::string_view name);
    int endOf(int id);

    std::unordered_map<std::string, int, NameHash, std::equal_to<>> ids_;
    std::vector<const std::string*> names_;  // by id; the keys of ids_ never move
    std::vector<int> next_;                  // by id: the name its rule leads to, itself at a chain's end
    std::vector<bool> hasRule_;              // by id: whether the name is an alias
    size_t rules_ = 0;
};

}  // namespace gravmark
