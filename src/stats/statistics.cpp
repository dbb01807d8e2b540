#include "stats/statistics.h"

#include <algorithm>
#include <unordered_set>

#include "stats/roster_order.h"
#include "table/event_table.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = RecordTable::kNullTextId;
constexpr uint32_t kProgressStep = 1 << 16;

// The distinct texts of `a_name` over the view, sorted by RosterOrder; the names are
// distinct, so every spelling keeps its own entry.
std::vector<std::string> sortedRoster(const RecordTable& events) {
    const int field = events.fieldNumber(EventField::kAttackerName);
    std::vector<uint8_t> seen(events.textIdCount(), 0);
    std::vector<std::string> roster;
    bool nullSeen = false;
    for (int row = 0, rows = events.viewSize(); row < rows; ++row) {
        const uint32_t id = events.viewTextId(row, field);
        if (id == kNull) {
            nullSeen = true;  // a record without a name reads as the empty name
        } else if (!seen[id]) {
            seen[id] = 1;
            roster.emplace_back(events.textOfId(id));
        }
    }
    if (nullSeen && std::find(roster.begin(), roster.end(), "") == roster.end()) roster.emplace_back();
    const RosterOrder order;
    std::sort(roster.begin(), roster.end(),
              [&order](const std::string& a, const std::string& b) { return order.compare(a, b) < 0; });
    return roster;
}

// Per text id of a table, how many records hold it in one place.
class CountsById {
public:
    explicit CountsById(uint32_t ids) : counts_(ids, 0) {}
    void add(uint32_t id) {
        if (id != kNull) ++counts_[id];
    }
    // The count of every roster name, given by its text id, in roster order.
    std::vector<int32_t> ofRoster(const std::vector<uint32_t>& rosterIds) const {
        std::vector<int32_t> counts;
        counts.reserve(rosterIds.size());
        for (const uint32_t id : rosterIds) counts.push_back(id == kNull ? 0 : counts_[id]);
        return counts;
    }

private:
    std::vector<int32_t> counts_;
};

}  // namespace

void Statistics::removeDuplicates(RecordTable& events, Progress& progress) {
    progress.setPartsComplete(0);
    progress.setTotalParts(events.recordCount());
    events.first();  // a pending grid edit is posted first
    roster = sortedRoster(events);
    // Collecting the names walked the view from its first record past its last.
    if (events.recordCount() == 0) {
        events.first();
    } else {
        events.last();
    }
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::count(RecordTable& events, int32_t gameCount, Progress& progress) {
    progress.setPartsComplete(0);
    progress.setTotalParts(int64_t(events.postedCount()) + 1);
    events.first();  // a pending grid edit is posted first
    roster = sortedRoster(events);
    // The text id of every roster name (none for an empty name no record holds).
    std::vector<uint32_t> rosterIds;
    for (const std::string& name : roster) rosterIds.push_back(events.findTextId(name));
    countEvents(events, rosterIds, progress);
    pruneGamesAndCountPlayed(events, rosterIds, gameCount);
    leaveCountingViews(events);
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::countEvents(const RecordTable& events, const std::vector<uint32_t>& rosterIds,
                             Progress& progress) {
    const int command = events.fieldNumber(EventField::kCommand),
              attacker = events.fieldNumber(EventField::kAttackerName),
              victim = events.fieldNumber(EventField::kVictimName),
              location = events.fieldNumber(EventField::kHitLocation),
              weapon = events.fieldNumber(EventField::kWeapon),
              damageType = events.fieldNumber(EventField::kDamageType);
    const uint32_t kill = events.findTextId("K"), head = events.findTextId("head"),
                   tnt = events.findTextId("tnt_bomb_mp"), grenade = events.findTextId("MOD_GRENADE_SPLASH"),
                   suicide = events.findTextId("MOD_SUICIDE");
    const uint32_t ids = events.textIdCount();
    CountsById kills(ids), deaths(ids), given(ids), taken(ids), bombs(ids), grenades(ids), suicides(ids);
    for (uint32_t record = 0, records = events.postedCount(); record < records; ++record) {
        if (!events.isLive(record)) continue;
        const uint32_t a = events.recordTextId(record, attacker), v = events.recordTextId(record, victim);
        if (kill != kNull && events.recordTextId(record, command) == kill) kills.add(a);
        deaths.add(v);
        if (head != kNull && events.recordTextId(record, location) == head) {
            given.add(a);
            taken.add(v);
        }
        if (tnt != kNull && events.recordTextId(record, weapon) == tnt) bombs.add(a);
        const uint32_t type = events.recordTextId(record, damageType);
        if (type != kNull && type == grenade) grenades.add(a);
        if (type != kNull && type == suicide) suicides.add(a);
        if (record % kProgressStep == 0) progress.setPartsComplete(record);
    }
    killCounts = kills.ofRoster(rosterIds);
    deathCounts = deaths.ofRoster(rosterIds);
    headshotsGiven = given.ofRoster(rosterIds);
    headshotsTaken = taken.ofRoster(rosterIds);
    tntKills = bombs.ofRoster(rosterIds);
    grenadeKills = grenades.ofRoster(rosterIds);
    suicideCounts = suicides.ofRoster(rosterIds);
}

void Statistics::leaveCountingViews(RecordTable& events) const {
    events.setFiltered(false);
    // The pruning's last order was by command, built after its deletions (the pruning
    // left no index, so this one is built afresh).
    events.setIndexFieldNames(EventField::kCommand);
    const std::vector<Value> joins{std::string("J")};
    events.setKeyRange(joins, joins);
    events.clearKeyRange();
    // Counting player by player set the games-played filter of each named player last, or,
    // with no named player, the deaths filter of the last roster entry.
    const auto named =
        std::find_if(roster.rbegin(), roster.rend(), [](const std::string& n) { return !n.empty(); });
    if (named != roster.rend()) {
        events.setFilterTerms({{EventField::kAttackerName, *named}, {EventField::kCommand, "J"}});
        events.setFiltered(true);
        events.setFiltered(false);
    } else if (!roster.empty()) {
        events.setFilterTerms({{EventField::kVictimName, roster.back()}});
    }
}

}  // namespace gravmark
