#include "stats/glicko2.h"

#include <cmath>
#include <numbers>

namespace gravmark {

namespace {

constexpr double kTau = 0.5;
constexpr double kConvergence = 0.000001;

double weight(double phi) { return 1 / std::sqrt(1 + 3 * phi * phi / (std::numbers::pi * std::numbers::pi)); }

// Glickman's step 5: the volatility sigma' by the Illinois variant of regula falsi.
double newVolatility(const Glicko2State& before, double variance, double delta) {
    const double phi2 = before.phi * before.phi;
    const double a = std::log(before.sigma * before.sigma);
    const auto f = [&](double x) {
        const double ex = std::exp(x);
        const double denominator = phi2 + variance + ex;
        return ex * (delta * delta - phi2 - variance - ex) / (2 * denominator * denominator) -
               (x - a) / (kTau * kTau);
    };
    double lower = a, upper;
    if (delta * delta > phi2 + variance) {
        upper = std::log(delta * delta - phi2 - variance);
    } else {
        int k = 1;
        while (f(a - k * kTau) < 0) ++k;
        upper = a - k * kTau;
    }
    double fLower = f(lower), fUpper = f(upper);
    while (std::abs(upper - lower) > kConvergence) {
        const double c = lower + (lower - upper) * fLower / (fUpper - fLower);
        const double fc = f(c);
        if (fc * fUpper <= 0) {
            lower = upper;
            fLower = fUpper;
        } else {
            fLower /= 2;
        }
        upper = c;
        fUpper = fc;
    }
    return std::exp(lower / 2);
}

}  // namespace

Glicko2State Glicko2State::fromRating(double rating, double deviation, double volatility) {
    return {(rating - kBaseRating) / kGlickoScale, deviation / kGlickoScale, volatility};
}

void PeriodSums::add(const Glicko2State& player, const Glicko2State& opponent, double score) {
    const double g = weight(opponent.phi);
    const double expected = 1 / (1 + std::exp(-g * (player.mu - opponent.mu)));
    inverseVariance_ += g * g * expected * (1 - expected);
    scoreSum_ += g * (score - expected);
    ++games_;
}

Glicko2State afterPeriod(const Glicko2State& before, const PeriodSums& results) {
    if (results.empty()) return {before.mu, std::hypot(before.phi, before.sigma), before.sigma};
    const double variance = 1 / results.inverseVariance();
    const double sigma = newVolatility(before, variance, variance * results.scoreSum());
    const double grown = std::hypot(before.phi, sigma);
    const double phi = 1 / std::sqrt(1 / (grown * grown) + results.inverseVariance());
    return {before.mu + phi * phi * results.scoreSum(), phi, sigma};
}

}  // namespace gravmark
