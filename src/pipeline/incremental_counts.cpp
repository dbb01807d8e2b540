#include "pipeline/incremental_counts.h"

#include <algorithm>

#include "stats/roster_order.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = GameEvents::kNoText;
constexpr int32_t kUnknown = -2;

// A renamed name is stored as a text field stores it: cut at a NUL and to the field's width.
std::string storedName(const std::string& name) {
    return name.substr(0, std::min(name.find('\0'), size_t(EventWidth::kName)));
}

}  // namespace

// The texts the counts look for, as the events' text ids (kNull when the events hold no
// such text yet).
struct IncrementalCounts::TextIds {
    explicit TextIds(const GameEvents& events)
        : head(events.find("head")),
          tnt(events.find("tnt_bomb_mp")),
          grenade(events.find("MOD_GRENADE_SPLASH")),
          suicide(events.find("MOD_SUICIDE")) {}
    uint32_t head, tnt, grenade, suicide;
};

void IncrementalCounts::startAgain(const IncrementalLog& log, const NameRenames& renames) {
    generation_ = log.generation();
    renames_ = renames;
    nameOfText_.clear();
    renamedText_.clear();
    names_.clear();
    nameIndex_.clear();
    ended_ = {};
    endedEvents_ = 0;
}

int IncrementalCounts::nameOf(const GameEvents& events, uint32_t textId) {
    if (textId == kNull) return -1;
    if (textId >= nameOfText_.size()) {
        nameOfText_.resize(events.textCount(), kUnknown);
        renamedText_.resize(events.textCount(), 0);
    }
    int32_t& index = nameOfText_[textId];
    if (index != kUnknown) return index;
    std::string name(events.text(textId));
    if (const auto rename = renames_.find(name); rename != renames_.end()) {
        name = storedName(rename->second);
        renamedText_[textId] = 1;
    }
    const auto [entry, added] = nameIndex_.try_emplace(name, int32_t(names_.size()));
    if (added) names_.push_back(std::move(name));
    return index = entry->second;
}

void IncrementalCounts::count(const GameEvents& events, const TextIds& ids, size_t from, size_t to,
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
    for (size_t at = from; at < to; ++at) {
        const GameEvent& event = events.list[at];
        const int32_t number = event.game.value_or(0);
        if (at == from || number != current) {
            decideGame();
            current = number;
        }
        const uint32_t aText = event.attackerName, vText = event.victimName;
        const int a = nameOf(events, aText), v = nameOf(events, vText);
        if (tallies.byName.size() < names_.size()) tallies.byName.resize(names_.size());
        if ((a >= 0 && renamedText_[aText]) || (v >= 0 && renamedText_[vText])) ++tallies.eventsRenamed;
        const uint32_t type = event.damageType;
        const bool head = ids.head != kNull && event.hitLocation == ids.head;
        if (v >= 0) {
            Tally& victim = tallies.byName[size_t(v)];
            ++victim.deaths;
            victim.taken += head;
        }
        if (a >= 0) {
            Tally& attacker = tallies.byName[size_t(a)];
            attacker.rostered = true;
            attacker.kills += event.kind == EventKind::Kill;
            attacker.given += head;
            attacker.tnt += ids.tnt != kNull && event.weapon == ids.tnt;
            attacker.grenades += type != kNull && type == ids.grenade;
            attacker.suicides += type != kNull && type == ids.suicide;
        }
        if (event.kind == EventKind::Other) continue;
        if (a < 0) {
            tallies.playedTotal += event.kind == EventKind::Join;  // a join without a name is never pruned
        } else if (event.kind == EventKind::Join) {
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
    const GameEvents& events = log.events();
    const TextIds ids(events);
    const size_t count = events.list.size();
    // The events of the games before the current one are counted for good.
    size_t open = endedEvents_;
    while (open < count && events.list[open].game.value_or(0) < log.gameCount()) ++open;
    this->count(events, ids, endedEvents_, open, ended_);
    endedEvents_ = open;
    Tallies all = ended_;
    this->count(events, ids, open, count, all);
    fill(all, stats);
    return all.eventsRenamed;
}

}  // namespace gravmark
