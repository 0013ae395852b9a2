#pragma once
// The position to true scale: its exact figures at expiration (net premium,
// maximum profit and loss, every break-even price), its probability of
// profit, its greeks today, and its profit/loss curves at expiration, today
// and on a chosen date before it.
//
// Time runs in calendar days; a year is 365 of them (Actual/365 Fixed).
// "Today" is the day the analysis is made, `days` before expiration; the
// evaluation date lies `elapsedDays` after today.

#include "strategies/Leg.h"
#include "strategies/OptionPricing.h"

#include <QString>

#include <optional>
#include <vector>

namespace velmora
{

struct AnalysisInputs {
    double stockPrice = 0; // $ per share, today
    double volatilityPercent = 30; // a year
    double ratePercent = 4; // a year
    double dividendPercent = 0; // a year
    double days = 30; // from today to expiration
    double elapsedDays = 0; // from today to the evaluation date

    friend bool operator==(const AnalysisInputs &, const AnalysisInputs &) = default;
};

// The message for inputs the analysis cannot use, or for a position too
// large for its amounts to be shown; nothing when both are sound.
std::optional<QString> analysisProblem(const Legs &legs, const AnalysisInputs &inputs);

// The highest price a view may reach when zoomed or panned out: a thousand
// times the stock price, as far as the amounts stay printable.
double highestViewPrice(const AnalysisInputs &inputs);

// The market `daysFromToday` after today (clamped to expiration).
Market marketOn(const AnalysisInputs &inputs, double daysFromToday);

// The best or worst profit/loss at expiration over all prices >= 0.
struct Extreme {
    bool unlimited = false; // grows without bound as the price rises
    double amount = 0; // $, when limited
    double price = 0; // the lowest price where it is reached, when limited
};

struct ExpiryFigures {
    double netPremium = 0; // $ paid (< 0, a debit) or received (> 0, a credit)
    Extreme maxProfit;
    Extreme maxLoss; // its amount is the lowest profit/loss, negative for a loss
    std::vector<double> breakEvens; // ascending
};

// Exact: the expiry profit is straight between the strikes, so its extremes
// lie at 0 or a strike (or grow without bound) and its roots are worked out
// segment by segment.
ExpiryFigures expiryFigures(const Legs &legs);

// The chance that the expiry profit is above 0, with the price at expiration
// lognormal: drift rate - dividend, the inputs' volatility.
double probabilityOfProfit(const Legs &legs, const AnalysisInputs &inputs);

struct PositionGreeks {
    double delta = 0; // shares
    double gamma = 0; // shares per $ of the stock
    double theta = 0; // $ per day
    double vega = 0; // $ per volatility point
};

PositionGreeks positionGreeks(const Legs &legs, const Market &market);

// Profit/loss of the legs valued in `market` (at expiration when no time is left).
double profitOn(const Legs &legs, const Market &market);

// Everything beside the chart: the expiry figures, the probability of
// profit and the greeks today.
struct PositionAnalysis {
    ExpiryFigures figures;
    double probabilityOfProfit = 0;
    PositionGreeks greeks;
};

PositionAnalysis analysePosition(const Legs &legs, const AnalysisInputs &inputs);

struct CurveValues {
    double atExpiry = 0;
    double today = 0;
    double onDate = 0;
};

// The three curves' profit/loss at one stock price.
CurveValues curveValuesAt(const Legs &legs, const AnalysisInputs &inputs, double price);

struct AnalysisCurves {
    std::vector<double> prices;
    std::vector<double> atExpiry;
    std::vector<double> today;
    std::vector<double> onDate; // on the evaluation date
};

// The three curves at `count` prices evenly spread from low to high.
AnalysisCurves analysisCurves(
    const Legs &legs, const AnalysisInputs &inputs, double low, double high, int count);

struct PriceRange {
    double low = 0;
    double high = 0;
};

// Covers the stock price, every strike and break-even, and about two
// standard deviations of the move to expiration, with a margin; never below 0.
PriceRange autoPriceRange(const Legs &legs, const AnalysisInputs &inputs);

} // namespace velmora
