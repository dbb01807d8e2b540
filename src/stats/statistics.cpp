#include "stats/statistics.h"

#include <algorithm>

#include "stats/roster_order.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = GameEvents::kNoText;
constexpr size_t kProgressStep = 1 << 16;

// The distinct attacker names, sorted by RosterOrder; the names are distinct, so every
// spelling keeps its own entry.
std::vector<std::string> sortedRoster(const GameEvents& events) {
    std::vector<uint8_t> seen(events.textCount(), 0);
    std::vector<std::string> roster;
    bool nullSeen = false;
    for (const GameEvent& event : events.list) {
        const uint32_t id = event.attackerName;
        if (id == kNull) {
            nullSeen = true;  // an event without a name reads as the empty name
        } else if (!seen[id]) {
            seen[id] = 1;
            roster.emplace_back(events.text(id));
        }
    }
    if (nullSeen && std::find(roster.begin(), roster.end(), "") == roster.end()) roster.emplace_back();
    const RosterOrder order;
    std::sort(roster.begin(), roster.end(),
              [&order](const std::string& a, const std::string& b) { return order.compare(a, b) < 0; });
    return roster;
}

// Per text id of the events, how many events hold it in one place.
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

void Statistics::removeDuplicates(const GameEvents& events, Progress& progress) {
    progress.setPartsComplete(0);
    progress.setTotalParts(int64_t(events.list.size()));
    roster = sortedRoster(events);
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::count(GameEvents& events, int32_t gameCount, Progress& progress) {
    progress.setPartsComplete(0);
    progress.setTotalParts(int64_t(events.list.size()) + 1);
    roster = sortedRoster(events);
    // The text id of every roster name (none for an empty name no event holds).
    std::vector<uint32_t> rosterIds;
    for (const std::string& name : roster) rosterIds.push_back(events.find(name));
    countEvents(events, rosterIds, progress);
    pruneGamesAndCountPlayed(events, rosterIds, gameCount);
    progress.setPartsComplete(progress.totalParts());
}

void Statistics::countEvents(const GameEvents& events, const std::vector<uint32_t>& rosterIds,
                             Progress& progress) {
    const uint32_t head = events.find("head"), tnt = events.find("tnt_bomb_mp"),
                   grenade = events.find("MOD_GRENADE_SPLASH"), suicide = events.find("MOD_SUICIDE");
    const uint32_t ids = events.textCount();
    CountsById kills(ids), deaths(ids), given(ids), taken(ids), bombs(ids), grenades(ids), suicides(ids);
    for (size_t at = 0; at < events.list.size(); ++at) {
        const GameEvent& event = events.list[at];
        const uint32_t a = event.attackerName, v = event.victimName;
        if (event.kind == EventKind::Kill) kills.add(a);
        deaths.add(v);
        if (head != kNull && event.hitLocation == head) {
            given.add(a);
            taken.add(v);
        }
        if (tnt != kNull && event.weapon == tnt) bombs.add(a);
        if (grenade != kNull && event.damageType == grenade) grenades.add(a);
        if (suicide != kNull && event.damageType == suicide) suicides.add(a);
        if (at % kProgressStep == 0) progress.setPartsComplete(int64_t(at));
    }
    killCounts = kills.ofRoster(rosterIds);
    deathCounts = deaths.ofRoster(rosterIds);
    headshotsGiven = given.ofRoster(rosterIds);
    headshotsTaken = taken.ofRoster(rosterIds);
    tntKills = bombs.ofRoster(rosterIds);
    grenadeKills = grenades.ofRoster(rosterIds);
    suicideCounts = suicides.ofRoster(rosterIds);
}

}  // namespace gravmark
