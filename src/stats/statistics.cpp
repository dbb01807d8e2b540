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
std::vector<std::string> sortedRoster(const RecordTable& db) {
    const int field = db.fieldNumber(EventField::kAttackerName);
    std::vector<uint8_t> seen(db.textIdCount(), 0);
    std::vector<std::string> roster;
    bool nullSeen = false;
    for (int row = 0, rows = db.viewSize(); row < rows; ++row) {
        const uint32_t id = db.viewTextId(row, field);
        if (id == kNull) {
            nullSeen = true;  // a record without a name reads as the empty name
        } else if (!seen[id]) {
            seen[id] = 1;
            roster.emplace_back(db.textOfId(id));
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

void Statistics::removeDuplicates(RecordTable& db, Progress& progress) {
    progress.setPartsComplete(0);
    progress.setTotalParts(db.recordCount());
    db.first();  // a pending grid edit is posted first
    roster = sortedRoster(db);
    // Collecting the names walked the view from its first record past its last.
    if (db.recordCount() == 0) {
        db.first();
    } else {
        db.last();
    }
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::count(RecordTable& db, int32_t gameCount, Progress& progress) {
    progress.setPartsComplete(0);
    progress.setTotalParts(int64_t(db.postedCount()) + 1);
    db.first();  // a pending grid edit is posted first
    roster = sortedRoster(db);
    // The text id of every roster name (none for an empty name no record holds).
    std::vector<uint32_t> rosterIds;
    for (const std::string& name : roster) rosterIds.push_back(db.findTextId(name));
    countEvents(db, rosterIds, progress);
    pruneGamesAndCountPlayed(db, rosterIds, gameCount);
    leaveCountingViews(db);
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::countEvents(const RecordTable& db, const std::vector<uint32_t>& rosterIds, Progress& progress) {
    const int command = db.fieldNumber(EventField::kCommand),
              attacker = db.fieldNumber(EventField::kAttackerName),
              victim = db.fieldNumber(EventField::kVictimName),
              location = db.fieldNumber(EventField::kHitLocation),
              weapon = db.fieldNumber(EventField::kWeapon),
              damageType = db.fieldNumber(EventField::kDamageType);
    const uint32_t kill = db.findTextId("K"), head = db.findTextId("head"), tnt = db.findTextId("tnt_bomb_mp"),
                   grenade = db.findTextId("MOD_GRENADE_SPLASH"), suicide = db.findTextId("MOD_SUICIDE");
    const uint32_t ids = db.textIdCount();
    CountsById kills(ids), deaths(ids), given(ids), taken(ids), bombs(ids), grenades(ids), suicides(ids);
    for (uint32_t record = 0, records = db.postedCount(); record < records; ++record) {
        if (!db.isLive(record)) continue;
        const uint32_t a = db.recordTextId(record, attacker), v = db.recordTextId(record, victim);
        if (kill != kNull && db.recordTextId(record, command) == kill) kills.add(a);
        deaths.add(v);
        if (head != kNull && db.recordTextId(record, location) == head) {
            given.add(a);
            taken.add(v);
        }
        if (tnt != kNull && db.recordTextId(record, weapon) == tnt) bombs.add(a);
        const uint32_t type = db.recordTextId(record, damageType);
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

void Statistics::leaveCountingViews(RecordTable& db) const {
    db.setFiltered(false);
    // The pruning's last order was by command, built after its deletions (the pruning
    // left no index, so this one is built afresh).
    db.setIndexFieldNames(EventField::kCommand);
    const std::vector<Value> joins{std::string("J")};
    db.setKeyRange(joins, joins);
    db.clearKeyRange();
    // Counting player by player set the games-played filter of each named player last, or,
    // with no named player, the deaths filter of the last roster entry.
    const auto named =
        std::find_if(roster.rbegin(), roster.rend(), [](const std::string& n) { return !n.empty(); });
    if (named != roster.rend()) {
        db.setFilterTerms({{EventField::kAttackerName, *named}, {EventField::kCommand, "J"}});
        db.setFiltered(true);
        db.setFiltered(false);
    } else if (!roster.empty()) {
        db.setFilterTerms({{EventField::kVictimName, roster.back()}});
    }
}

}  // namespace gravmark
