#pragma once
// The position to true scale: its exact figures at expiration (net premium,
// best and worst outcome, every break-even price and stretch of no profit
// or loss), its probability of profit, its greeks today, the volatility of
// each leg, and its profit/loss curves at expiration, today and on a chosen
// date before it.
//
// Time runs in calendar days; a year is 365 of them (Actual/365 Fixed).
// "Today" is the day the analysis is made, `days` before expiration; the
// evaluation date lies `elapsedDays` after today. Without today's stock price
// (the spreads have none until it is typed) only the figures at expiration
// are known.

#include "strategies/Leg.h"
#include "strategies/OptionPricing.h"

#include <QString>

#include <optional>
#include <vector>

namespace velmora
{

enum class VolatilityMode {
    Implied, // each call's from its premium; the typed one where there is none
    Typed, // the typed one for every call
};

struct AnalysisInputs {
    std::optional<double> stockPrice; // $ per share, today
    VolatilityMode volatilityMode = VolatilityMode::Implied;
    double volatilityPercent = 30; // a year
    double ratePercent = 4; // a year
    double dividendPercent = 0; // a year
    double days = 30; // from today to expiration
    double elapsedDays = 0; // from today to the evaluation date

    friend bool operator==(const AnalysisInputs &, const AnalysisInputs &) = default;
};

// The message for inputs the analysis cannot use, or for a position too
// large for its amounts to be shown; nothing when both are sound. It names
// the field to mend.
std::optional<QString> analysisProblem(const Legs &legs, const AnalysisInputs &inputs);

// The highest price a view may reach when zoomed or panned out: a thousand
// times the stock price or the highest strike, as far as the amounts stay
// printable.
double highestViewPrice(const Legs &legs, const AnalysisInputs &inputs);

// The market `daysFromToday` after today (clamped to expiration), at the
// typed volatility.
Market marketOn(const AnalysisInputs &inputs, double daysFromToday);

// How a leg is priced before expiration. Calls have an implied volatility
// or the reason there is none; shares have neither.
struct LegVolatility {
    ImpliedVolatility implied;
    double used = 0; // a year, 0.30 for 30 %
};
using LegVolatilities = std::vector<LegVolatility>;

LegVolatilities legVolatilities(const Legs &legs, const AnalysisInputs &inputs);

// Why a leg has no implied volatility, in the trader's words.
QString noImpliedText(NoImplied why);

// Prices from `from` to `to`; no `to` when the stretch has no end.
struct PriceStretch {
    double from = 0;
    std::optional<double> to;

    friend bool operator==(const PriceStretch &, const PriceStretch &) = default;
};

// The best or worst profit/loss at expiration over all prices >= 0.
struct Extreme {
    bool unlimited = false; // grows without bound as the price rises
    double amount = 0; // $, when limited
    std::vector<PriceStretch> where; // where it is reached, when limited; ascending
};

struct ExpiryFigures {
    double netPremium = 0; // $ paid (< 0, a debit) or received (> 0, a credit)
    Extreme maxProfit; // the best outcome
    Extreme maxLoss; // the worst outcome: its amount is the lowest profit/loss
    std::vector<double> breakEvens; // prices above 0 where the profit/loss is 0 alone
    std::vector<PriceStretch> zeroStretches; // where it stays 0, ascending

    // A best outcome that is no profit, or a worst one that is no loss, is
    // no maximum profit or loss at all.
    bool profitPossible() const { return maxProfit.unlimited || maxProfit.amount > 0; }
    bool lossPossible() const { return maxLoss.unlimited || maxLoss.amount < 0; }
};

// Exact: the expiry profit is straight between the strikes, so its extremes
// lie at 0 or a strike (or grow without bound) and its roots are worked out
// segment by segment.
ExpiryFigures expiryFigures(const Legs &legs);

// The chance that the expiry profit is above 0, with the price at expiration
// lognormal from today's stock price: drift rate - dividend, the typed
// volatility. Nothing without today's stock price.
std::optional<double> probabilityOfProfit(const Legs &legs, const AnalysisInputs &inputs);

struct PositionGreeks {
    double delta = 0; // shares
    double gamma = 0; // shares per $ of the stock
    double theta = 0; // $ per day
    double vega = 0; // $ per volatility point
};

PositionGreeks positionGreeks(
    const Legs &legs, const LegVolatilities &volatilities, const Market &market);

// Profit/loss of the legs valued in `market` (at expiration when no time is
// left), each call at its own volatility.
double profitOn(const Legs &legs, const LegVolatilities &volatilities, const Market &market);

// Everything beside the chart: the expiry figures, the probability of
// profit, the greeks today and how each leg is priced. What needs today's
// stock price is missing without it.
struct PositionAnalysis {
    ExpiryFigures figures;
    std::optional<double> probabilityOfProfit;
    std::optional<PositionGreeks> greeks;
    LegVolatilities volatilities;
};

PositionAnalysis analysePosition(const Legs &legs, const AnalysisInputs &inputs);

// The three curves' profit/loss at one stock price; before expiration
// nothing without today's stock price.
struct CurveValues {
    double atExpiry = 0;
    std::optional<double> today;
    std::optional<double> onDate;
};

CurveValues curveValuesAt(const Legs &legs, const AnalysisInputs &inputs, double price);
CurveValues curveValuesAt(const Legs &legs, const LegVolatilities &volatilities,
    const AnalysisInputs &inputs, double price);

struct AnalysisCurves {
    std::vector<double> prices;
    std::vector<double> atExpiry;
    std::vector<double> today; // empty without today's stock price
    std::vector<double> onDate; // on the evaluation date; empty likewise
};

// The three curves at `count` prices evenly spread from low to high, the
// first at low and the last at high.
AnalysisCurves analysisCurves(
    const Legs &legs, const AnalysisInputs &inputs, double low, double high, int count);

struct PriceRange {
    double low = 0;
    double high = 0;
};

// Holds today's stock price, every strike, break-even and end of a zero
// stretch with room around them (a tenth of the span beside each), and
// about two standard deviations of the move to expiration as far as three
// times the highest of those prices; never below 0 or beyond the view's
// highest price.
PriceRange autoPriceRange(const Legs &legs, const AnalysisInputs &inputs);

} // namespace velmora
