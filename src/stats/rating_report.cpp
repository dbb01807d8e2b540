#include "stats/rating_report.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "stats/glicko2.h"

namespace gravmark {

namespace {

constexpr int32_t kUnrated = -1;

bool isResult(const RatedKill& kill) {
    return kill.killer != kNotAPlayer && kill.victim != kNotAPlayer && kill.killer != kill.victim &&
           !kill.teamKill;
}

// The kills of every game, games 0 .. gameCount in order (a counting sort); a game
// outside them is in no period.
std::vector<size_t> gameStarts(const RatingInput& input, std::vector<RatedKill>& sorted) {
    const auto inGames = [&](const RatedKill& kill) {
        return kill.game >= 0 && kill.game <= input.gameCount;
    };
    std::vector<size_t> starts(size_t(input.gameCount) + 2, 0);
    for (const RatedKill& kill : input.kills) {
        if (inGames(kill)) ++starts[size_t(kill.game) + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    sorted.resize(starts.back());
    std::vector<size_t> next(starts.begin(), starts.end() - 1);
    for (const RatedKill& kill : input.kills) {
        if (inGames(kill)) sorted[next[size_t(kill.game)]++] = kill;
    }
    return starts;
}

// The ratings as the periods pass. A player's state is that after his last period with
// results; the periods he sat out since only widen his deviation, which is applied when
// his state is next read, so a game costs only what its own players cost.
class RatingPeriods {
public:
    explicit RatingPeriods(size_t players)
        : state_(players),
          lastPeriod_(players, kUnrated),
          inPeriod_(players, 0),
          before_(players),
          sums_(players) {}

    bool rated(int32_t p) const { return lastPeriod_[size_t(p)] != kUnrated; }

    // A rated player's state at the end of `period`, no earlier than his last period with
    // results: each period since has only widened his deviation.
    Glicko2State stateAfter(int32_t p, int32_t period) const {
        const Glicko2State& s = state_[size_t(p)];
        const double idle = period - lastPeriod_[size_t(p)];
        return {s.mu, std::sqrt(s.phi * s.phi + idle * s.sigma * s.sigma), s.sigma};
    }

    // One period: the results among the kills [begin, end), every one scored against the
    // states from before it, then the new state of each player who had results.
    void rate(int32_t period, const RatedKill* begin, const RatedKill* end) {
        touched_.clear();
        for (const RatedKill* kill = begin; kill != end; ++kill) {
            if (!isResult(*kill)) continue;
            join(kill->killer, period);
            join(kill->victim, period);
        }
        for (const RatedKill* kill = begin; kill != end; ++kill) {
            if (!isResult(*kill)) continue;
            const Glicko2State& killer = before_[size_t(kill->killer)];
            const Glicko2State& victim = before_[size_t(kill->victim)];
            sums_[size_t(kill->killer)].add(killer, victim, 1);
            sums_[size_t(kill->victim)].add(victim, killer, 0);
        }
        for (const int32_t p : touched_) {
            state_[size_t(p)] = afterPeriod(before_[size_t(p)], sums_[size_t(p)]);
            lastPeriod_[size_t(p)] = period;
        }
    }

private:
    // Takes the player into this period's results, with his state from before it.
    void join(int32_t p, int32_t period) {
        if (inPeriod_[size_t(p)] == period) return;
        inPeriod_[size_t(p)] = period;
        before_[size_t(p)] = rated(p) ? stateAfter(p, period - 1) : Glicko2State{};
        sums_[size_t(p)] = {};
        touched_.push_back(p);
    }

    std::vector<Glicko2State> state_;
    std::vector<int32_t> lastPeriod_;
    std::vector<int32_t> inPeriod_;
    std::vector<Glicko2State> before_;
    std::vector<PeriodSums> sums_;
    std::vector<int32_t> touched_;
};

// Who played each game, with their kills and deaths in it, in game order.
class GameAppearances {
public:
    explicit GameAppearances(size_t players) : seen_(players, 0), entry_(players, 0) {}

    const std::vector<int32_t>& players() const { return players_; }
    const std::vector<std::pair<int32_t, FormGame>>& entries() const { return entries_; }

    void count(int32_t game, const RatedKill* begin, const RatedKill* end) {
        players_.clear();
        for (const RatedKill* kill = begin; kill != end; ++kill) {
            if (kill->killer != kNotAPlayer) ++appear(kill->killer, game).kills;
            if (kill->victim != kNotAPlayer) ++appear(kill->victim, game).deaths;
        }
    }

private:
    FormGame& appear(int32_t p, int32_t game) {
        if (seen_[size_t(p)] != game) {
            seen_[size_t(p)] = game;
            entry_[size_t(p)] = entries_.size();
            players_.push_back(p);
            entries_.push_back({p, {game, 0, 0}});
        }
        return entries_[entry_[size_t(p)]].second;
    }

    std::vector<int32_t> seen_;  // the last game of each player
    std::vector<size_t> entry_;  // and his entry for it
    std::vector<int32_t> players_;
    std::vector<std::pair<int32_t, FormGame>> entries_;
};

void rank(RatingReport& report, const std::vector<std::string>& names) {
    std::vector<size_t> ranked;
    for (size_t p = 0; p < report.players.size(); ++p) {
        if (report.players[p].rated && !report.players[p].provisional) ranked.push_back(p);
    }
    const auto low = [&](size_t p) { return report.players[p].rating - 2 * report.players[p].deviation; };
    std::sort(ranked.begin(), ranked.end(), [&](size_t a, size_t b) {
        if (low(a) != low(b)) return low(a) > low(b);
        return names[a] < names[b];
    });
    for (size_t place = 0; place < ranked.size(); ++place)
        report.players[ranked[place]].rank = int32_t(place + 1);
    report.rankedCount = int32_t(ranked.size());
}

}  // namespace

RatingReport rateGames(const RatingInput& input) {
    const size_t players = input.players.size();
    RatingReport report;
    report.players.resize(players);
    report.mapOfGame = input.mapOfGame;
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const RatedKill& kill : input.kills) {
        if (kill.killer != kNotAPlayer && kill.victim != kNotAPlayer && kill.killer != kill.victim)
            pairs.push_back({kill.killer, kill.victim});
    }
    report.headToHead = HeadToHead(players, pairs);

    std::vector<RatedKill> sorted;
    const std::vector<size_t> starts = gameStarts(input, sorted);
    RatingPeriods periods(players);
    GameAppearances appearances(players);
    std::vector<std::pair<int32_t, RatingPoint>> history;
    for (int32_t game = 1; game <= input.gameCount; ++game) {
        const RatedKill* begin = sorted.data() + starts[size_t(game)];
        const RatedKill* end = sorted.data() + starts[size_t(game) + 1];
        periods.rate(game, begin, end);
        appearances.count(game, begin, end);
        for (const int32_t p : appearances.players()) {
            if (!periods.rated(p)) continue;
            const Glicko2State now = periods.stateAfter(p, game);
            history.push_back({p, {game, now.rating(), now.deviation()}});
        }
    }
    report.history = PerPlayerLists<RatingPoint>(players, history);
    report.form = PerPlayerLists<FormGame>(players, appearances.entries(), kFormGames);

    for (size_t p = 0; p < players; ++p) {
        if (!periods.rated(int32_t(p))) continue;
        PlayerRating& shown = report.players[p];
        const Glicko2State last = periods.stateAfter(int32_t(p), input.gameCount);
        shown.rated = true;
        shown.rating = last.rating();
        shown.deviation = last.deviation();
        shown.volatility = last.sigma;
        shown.provisional = shown.deviation > kProvisionalDeviation;
    }
    rank(report, input.players);
    return report;
}

}  // namespace gravmark
