#pragma once
// One player's Glicko-2 update over one rating period, in Glickman's own steps and on his
// internal scale (mu, phi). Results go in one by one; the period ends with afterPeriod.
//
// The system constant tau is 0.5 and the volatility is found by Glickman's Illinois
// iteration to within 0.000001.
namespace gravmark {

inline constexpr double kGlickoScale = 173.7178;  // rating points per unit of mu
inline constexpr double kBaseRating = 1500;
inline constexpr double kEntryDeviation = 350;
inline constexpr double kEntryVolatility = 0.06;

struct Glicko2State {
    double mu = 0;
    double phi = kEntryDeviation / kGlickoScale;
    double sigma = kEntryVolatility;

    double rating() const { return mu * kGlickoScale + kBaseRating; }
    double deviation() const { return phi * kGlickoScale; }
    static Glicko2State fromRating(double rating, double deviation, double volatility);
};

// The sums a period's results add up to (v's inverse and the sum behind delta).
class PeriodSums {
public:
    // One game against an opponent rated `opponent` before the period: score 1 won, 0 lost.
    void add(const Glicko2State& player, const Glicko2State& opponent, double score);
    bool empty() const { return games_ == 0; }

    double inverseVariance() const { return inverseVariance_; }
    double scoreSum() const { return scoreSum_; }

private:
    double inverseVariance_ = 0;
    double scoreSum_ = 0;
    int games_ = 0;
};

// The player's state after a period with these results. Without results only the
// deviation grows: phi* = sqrt(phi^2 + sigma^2).
Glicko2State afterPeriod(const Glicko2State& before, const PeriodSums& results);

}  // namespace gravmark
