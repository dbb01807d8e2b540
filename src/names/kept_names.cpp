#include "names/kept_names.h"

#include "common/error.h"
#include "names/alias_chains.h"
#include "names/alias_list.h"
#include "names/id_merges.h"

namespace gravmark {

namespace {

// The table the window shows and the events as plain values are renamed alike.
template <class Events, class Rules>
KeptNamesRun renameByPlan(Events& events, const Rules& rules, const PlayerIdCounts* ids) {
    KeptNamesPlan plan = planKeptNames(rules, ids);
    plan.run.eventsRenamed = renameNames(events, plan.renames);
    return plan.run;
}

}  // namespace

KeptNamesRun applyKeptNames(RecordTable& events, const std::string& folder, const PlayerIdCounts* ids) {
    return renameByPlan(events, folder, ids);
}

KeptNamesRun applyKeptNames(GameEvents& events, const std::string& folder, const PlayerIdCounts* ids) {
    return renameByPlan(events, folder, ids);
}

KeptNamesRun applyKeptNames(GameEvents& events, const AliasList& list, const PlayerIdCounts* ids) {
    return renameByPlan(events, list, ids);
}

KeptNamesPlan planKeptNames(const AliasList& list, const PlayerIdCounts* ids) {
    KeptNamesPlan plan;
    KeptNamesRun& run = plan.run;
    run.problems = list.problems();
    AliasChains chains = list.chains();
    run.rulesApplied = chains.ruleCount();
    if (ids) {
        IdMerges merges = idMerges(*ids);
        for (const AliasRule& rule : merges.rules) {
            if (chains.hasRule(rule.alias) || chains.wouldCycle(rule.alias, rule.kept)) continue;
            chains.add(rule.alias, rule.kept);
            ++run.namesMergedById;
        }
        run.sharedIds = std::move(merges.sharedIds);
    }
    plan.renames = chains.finalNames();
    return plan;
}

KeptNamesPlan planKeptNames(const std::string& folder, const PlayerIdCounts* ids) {
    return planKeptNames(AliasList::read(AliasList::fileName(folder)), ids);
}

std::vector<std::string> keepJoinedNames(const std::string& folder, const std::string& kept,
                                         const std::vector<std::string>& merged) {
    std::vector<std::string> notKept;
    if (merged.empty()) return notKept;
    const std::string path = AliasList::fileName(folder);
    try {
        AliasList list = AliasList::read(path);
        size_t keptRules = 0;
        for (const std::string& name : merged) {
            if (std::optional<std::string> refused = list.keep(name, kept)) {
                notKept.push_back(std::move(*refused));
            } else {
                ++keptRules;
            }
        }
        if (keptRules) list.write(path);
    } catch (const Error& failure) {
        notKept.push_back(std::string("The names are merged for this run only: the rule could not be kept. ") +
                          failure.what());
    }
    return notKept;
}

std::string sharedIdsText(const std::vector<std::string>& sharedIds) {
    if (sharedIds.empty()) return {};
    std::string text = "Player ids seen with more than " + std::to_string(kMostNamesOfOneId) +
                       " names are not used for merging:";
    for (size_t i = 0; i < sharedIds.size(); ++i) text += (i ? ", " : " ") + sharedIds[i];
    return text;
}

std::string problemsText(const std::vector<std::string>& problems, size_t shown) {
    std::string text;
    for (size_t i = 0; i < problems.size() && i < shown; ++i) text += (i ? "\n" : "") + problems[i];
    if (problems.size() > shown) text += "\n... and " + std::to_string(problems.size() - shown) + " more";
    return text;
}

}  // namespace gravmark
