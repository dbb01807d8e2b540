#include "stats/statistics.h"

#include <algorithm>
#include <deque>
#include <unordered_set>

#include "stats/roster_order.h"

namespace gravmark {

namespace {

// The distinct texts of `a_name` over the view, in first-met order.
std::deque<std::string> distinctAttackers(RecordTable& db, Progress& progress) {
    progress.setPartsComplete(0);
    const int count = db.recordCount();
    progress.setTotalParts(count);
    std::deque<std::string> names;  // a deque keeps its elements in place for the views below
    std::unordered_set<std::string_view> seen;
    db.first();
    for (int done = 0; done < count; ++done) {
        const std::string_view name = db.textOf("a_name");
        if (!seen.contains(name)) seen.insert(names.emplace_back(name));
        db.next();
        progress.setPartsComplete(done);
    }
    return names;
}

// Sorted by RosterOrder; the names are distinct, so every spelling keeps its own entry.
std::vector<std::string> sortedRoster(std::deque<std::string> names) {
    const RosterOrder order;
    std::vector<std::string> roster(std::make_move_iterator(names.begin()),
                                    std::make_move_iterator(names.end()));
    std::sort(roster.begin(), roster.end(),
              [&order](const std::string& a, const std::string& b) { return order.compare(a, b) < 0; });
    return roster;
}

}  // namespace

void Statistics::Removeduplicates(RecordTable& db, Progress& progress) {
    roster = sortedRoster(distinctAttackers(db, progress));
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::countByFilter(RecordTable& db, Progress& progress, std::vector<int32_t>& counts,
                               const std::vector<FilterTerm>& extraTerms, const char* nameField) {
    progress.setPartsComplete(0);
    progress.setTotalParts(static_cast<int64_t>(roster.size()));
    counts.assign(roster.size(), 0);
    std::vector<FilterTerm> terms{{nameField, {}}};
    terms.insert(terms.end(), extraTerms.begin(), extraTerms.end());
    for (size_t i = 0; i < roster.size(); ++i) {
        db.setFiltered(false);
        terms.front().literal = roster[i];
        db.setFilterTerms(terms);
        db.setFiltered(true);
        counts[i] = db.recordCount();
        progress.setPartsComplete(static_cast<int64_t>(i));
    }
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::CountKills(RecordTable& db, Progress& progress) {
    countByFilter(db, progress, KillCounts, {{"command", "K"}}, "a_name");
}

void Statistics::Countdeaths(RecordTable& db, Progress& progress) {
    countByFilter(db, progress, DeathCounts, {}, "v_name");
}

void Statistics::countByKeyRange(RecordTable& db, Progress& progress, std::vector<int32_t>& counts,
                                 const char* indexFields, const char* value) {
    db.clearKeyRange();
    progress.setPartsComplete(0);
    progress.setTotalParts(static_cast<int64_t>(roster.size()));
    db.setIndexFieldNames(indexFields);
    counts.assign(roster.size(), 0);
    for (size_t i = 0; i < roster.size(); ++i) {
        const std::vector<Value> key{roster[i], std::string(value)};
        db.setKeyRange(key, key);
        counts[i] = db.recordCount();
        db.clearKeyRange();
        progress.setPartsComplete(static_cast<int64_t>(i));
    }
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::CountHeadShots(RecordTable& db, Progress& progress) {
    db.setFiltered(false);
    countByKeyRange(db, progress, HeadshotsGiven, "a_name;damage_location", "head");
    countByKeyRange(db, progress, HeadshotsTaken, "v_name;damage_location", "head");
    db.clearKeyRange();
}

void Statistics::CountBombs(RecordTable& db, Progress& progress) {
    db.setFiltered(false);
    countByKeyRange(db, progress, TntKills, "a_name;a_weapon", "tnt_bomb_mp");
    countByKeyRange(db, progress, GrenadeKills, "a_name;damage_type", "MOD_GRENADE_SPLASH");
    db.clearKeyRange();
}

void Statistics::CountSuicides(RecordTable& db, Progress& progress) {
    db.setFiltered(false);
    countByKeyRange(db, progress, SuicideCounts, "a_name;damage_type", "MOD_SUICIDE");
    db.clearKeyRange();
}

int32_t Statistics::GetGamesPlayed(RecordTable& db, std::string_view name) {
    db.setFiltered(false);
    db.setFilterTerms({{"a_name", std::string(name)}, {"command", "J"}});
    db.setFiltered(true);
    const int32_t played = db.recordCount();
    db.setFiltered(false);
    return played;
}

}  // namespace gravmark
