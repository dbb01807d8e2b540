#include "pipeline/incremental_counts.h"

#include <algorithm>

#include "stats/roster_order.h"
#include "table/event_table.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = RecordTable::kNullTextId;
constexpr int32_t kUnknown = -2;

// A renamed name is stored as a text field stores it: cut at a NUL and to the field's width.
std::string storedName(const std::string& name) {
    return name.substr(0, std::min(name.find('\0'), size_t(kEventNameWidth)));
}

}  // namespace

// The fields and the texts the counts look for, as the events' text ids (kNull when the
// events hold no such text yet).
struct IncrementalCounts::TextIds {
    explicit TextIds(const RecordTable& events)
        : command(events.fieldNumber(EventField::kCommand)),
          attacker(events.fieldNumber(EventField::kAttackerName)),
          victim(events.fieldNumber(EventField::kVictimName)),
          location(events.fieldNumber(EventField::kHitLocation)),
          weapon(events.fieldNumber(EventField::kWeapon)),
          damageType(events.fieldNumber(EventField::kDamageType)),
          game(events.fieldNumber(EventField::kGame)),
          join(events.findTextId("J")),
          kill(events.findTextId("K")),
          head(events.findTextId("head")),
          tnt(events.findTextId("tnt_bomb_mp")),
          grenade(events.findTextId("MOD_GRENADE_SPLASH")),
          suicide(events.findTextId("MOD_SUICIDE")) {}
    int command, attacker, victim, location, weapon, damageType, game;
    uint32_t join, kill, head, tnt, grenade, suicide;
};

void IncrementalCounts::startAgain(const IncrementalLog& log, const NameRenames& renames) {
    generation_ = log.generation();
    renames_ = renames;
    nameOfText_.clear();
    renamedText_.clear();
    names_.clear();
    nameIndex_.clear();
    ended_ = {};
    endedRecords_ = 0;
}

int IncrementalCounts::nameOf(const RecordTable& events, uint32_t textId) {
    if (textId == kNull) return -1;
    if (textId >= nameOfText_.size()) {
        nameOfText_.resize(events.textIdCount(), kUnknown);
        renamedText_.resize(events.textIdCount(), 0);
    }
    int32_t& index = nameOfText_[textId];
    if (index != kUnknown) return index;
    std::string name(events.textOfId(textId));
    if (const auto rename = renames_.find(name); rename != renames_.end()) {
        name = storedName(rename->second);
        renamedText_[textId] = 1;
    }
    const auto [entry, added] = nameIndex_.try_emplace(name, int32_t(names_.size()));
    if (added) names_.push_back(std::move(name));
    return index = entry->second;
}

void IncrementalCounts::count(const RecordTable& events, const TextIds& ids, uint32_t from, uint32_t to,
                              Tallies& tallies) {
    struct GameOfName {
        int32_t joins = 0;
        bool killed = false;
    };
    std::unordered_map<int32_t, GameOfName> game;  // the names of the game being read
    int32_t current = 0;
    // A join is pruned when its name joined the game once and made no kill there.
    const auto decideGame = [&] {
        for (const auto& [name, entry] : game) {
            const int32_t played = entry.joins - (entry.joins == 1 && !entry.killed ? 1 : 0);
            tallies.byName[size_t(name)].played += played;
            tallies.playedTotal += played;
        }
        game.clear();
    };
    for (uint32_t record = from; record < to; ++record) {
        if (!events.isLive(record)) continue;
        const int32_t number = events.recordInteger(record, ids.game).value_or(0);
        if (record == from || number != current) {
            decideGame();
            current = number;
        }
        const uint32_t aText = events.recordTextId(record, ids.attacker),
                       vText = events.recordTextId(record, ids.victim);
        const int a = nameOf(events, aText), v = nameOf(events, vText);
        if (tallies.byName.size() < names_.size()) tallies.byName.resize(names_.size());
        if ((a >= 0 && renamedText_[aText]) || (v >= 0 && renamedText_[vText])) ++tallies.eventsRenamed;
        const uint32_t what = events.recordTextId(record, ids.command);
        const uint32_t type = events.recordTextId(record, ids.damageType);
        const bool head = ids.head != kNull && events.recordTextId(record, ids.location) == ids.head;
        if (v >= 0) {
            Tally& victim = tallies.byName[size_t(v)];
            ++victim.deaths;
            victim.taken += head;
        }
        if (a >= 0) {
            Tally& attacker = tallies.byName[size_t(a)];
            attacker.rostered = true;
            attacker.kills += ids.kill != kNull && what == ids.kill;
            attacker.given += head;
            attacker.tnt += ids.tnt != kNull && events.recordTextId(record, ids.weapon) == ids.tnt;
            attacker.grenades += type != kNull && type == ids.grenade;
            attacker.suicides += type != kNull && type == ids.suicide;
        }
        if (what == kNull || (what != ids.join && what != ids.kill)) continue;
        if (a < 0) {
            tallies.playedTotal += what == ids.join;  // a join without a name is never pruned
        } else if (what == ids.join) {
            ++game[a].joins;
        } else {
            game[a].killed = true;
        }
    }
    decideGame();
}

void IncrementalCounts::fill(const Tallies& tallies, Statistics& stats) const {
    std::vector<int32_t> rostered;
    for (size_t name = 0; name < tallies.byName.size(); ++name) {
        if (tallies.byName[name].rostered) rostered.push_back(int32_t(name));
    }
    const RosterOrder order;
    std::sort(rostered.begin(), rostered.end(),
              [&](int32_t a, int32_t b) { return order.compare(names_[size_t(a)], names_[size_t(b)]) < 0; });
    stats.roster.clear();
    for (auto* counts : {&stats.killCounts, &stats.deathCounts, &stats.headshotsGiven, &stats.headshotsTaken,
                         &stats.tntKills, &stats.grenadeKills, &stats.suicideCounts, &stats.gamesPlayed})
        counts->clear();
    for (const int32_t name : rostered) {
        const Tally& tally = tallies.byName[size_t(name)];
        stats.roster.push_back(names_[size_t(name)]);
        stats.killCounts.push_back(tally.kills);
        stats.deathCounts.push_back(tally.deaths);
        stats.headshotsGiven.push_back(tally.given);
        stats.headshotsTaken.push_back(tally.taken);
        stats.tntKills.push_back(tally.tnt);
        stats.grenadeKills.push_back(tally.grenades);
        stats.suicideCounts.push_back(tally.suicides);
        stats.gamesPlayed.push_back(tally.played);
    }
    stats.playedTotal = tallies.playedTotal;
}

int IncrementalCounts::countOn(const IncrementalLog& log, const NameRenames& renames, Statistics& stats) {
    if (log.generation() != generation_ || renames != renames_) startAgain(log, renames);
    const RecordTable& events = log.events();
    const TextIds ids(events);
    const uint32_t records = events.postedCount();
    // The records of the games before the current one are counted for good.
    uint32_t open = endedRecords_;
    while (open < records && events.recordInteger(open, ids.game).value_or(0) < log.gameCount()) ++open;
    count(events, ids, endedRecords_, open, ended_);
    endedRecords_ = open;
    Tallies all = ended_;
    count(events, ids, open, records, all);
    fill(all, stats);
    return all.eventsRenamed;
}

}  // namespace gravmark
