#include "strategies/PositionAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora
{

namespace
{

constexpr double kDaysPerYear = 365;

// Amounts this close to 0 are 0: sums of cents a hair off in binary.
constexpr double kZeroAmount = 1e-7;

bool finiteAll(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// 0 and every strike, ascending, once each: the corners of the expiry profit.
std::vector<double> corners(const Legs &legs)
{
    std::vector<double> out {0.0};
    for (const Leg &leg : legs)
        if (leg.kind == Leg::Kind::Call && leg.strike > 0)
            out.push_back(leg.strike);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// The slope beyond the last strike: every share and every call then moves
// dollar for dollar with the stock.
double finalSlope(const Legs &legs)
{
    double slope = 0;
    for (const Leg &leg : legs)
        slope += leg.shares;
    return std::abs(slope) < 1e-9 ? 0.0 : slope;
}

double normalCdf(double x)
{
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

// Amounts from here on cannot be shown without an exponent.
constexpr double kLargestAmount = 1e15;

std::optional<QString> inputProblem(const AnalysisInputs &in)
{
    if (!finiteAll({in.stockPrice, in.volatilityPercent, in.ratePercent, in.dividendPercent,
            in.days, in.elapsedDays}))
        return QStringLiteral("Every input must be a number.");
    if (!(in.stockPrice > 0))
        return QStringLiteral("Stock Price must be Greater than 0.");
    if (!(in.volatilityPercent > 0) || in.volatilityPercent > 1000)
        return QStringLiteral("Volatility must be Greater than 0 % and at most 1000 %.");
    if (in.ratePercent < -10 || in.ratePercent > 100)
        return QStringLiteral("Interest Rate must lie between -10 % and 100 %.");
    if (in.dividendPercent < 0 || in.dividendPercent > 100)
        return QStringLiteral("Dividend Yield must lie between 0 % and 100 %.");
    if (in.days < 0)
        return QStringLiteral("Days to Expiration should not be Less than 0.");
    if (in.days > 36500)
        return QStringLiteral("Days to Expiration must be at most 36500 (100 years).");
    if (in.elapsedDays < 0 || in.elapsedDays > in.days)
        return QStringLiteral("The Evaluation Date must lie between today and expiration.");
    return std::nullopt;
}

// Every amount of the analysis stays below the largest one shown, also at
// the widest zoom (a thousand times the stock price).
bool fitsInView(const Legs &legs, const AnalysisInputs &in)
{
    const double widest = highestViewPrice(in);
    double exposure = 0;
    for (const Leg &leg : legs)
        exposure += std::abs(leg.shares) * (widest + leg.strike + leg.entryPrice);
    return std::isfinite(exposure) && exposure < kLargestAmount;
}

} // namespace

double highestViewPrice(const AnalysisInputs &in)
{
    return 1000 * (in.stockPrice + 1);
}

std::optional<QString> analysisProblem(const Legs &legs, const AnalysisInputs &in)
{
    if (auto problem = inputProblem(in))
        return problem;
    if (!fitsInView(legs, in))
        return QStringLiteral("The position is too large to be analysed.");
    if (const std::string missing = in.days > 0 ? pricingProblem() : std::string();
        !missing.empty()) {
        return QStringLiteral("The option pricing module cannot be loaded (%1); the analysis "
                              "before expiration is not available.")
            .arg(QString::fromStdString(missing));
    }
    return std::nullopt;
}

Market marketOn(const AnalysisInputs &in, double daysFromToday)
{
    const double left = std::max(0.0, in.days - std::clamp(daysFromToday, 0.0, in.days));
    return {in.stockPrice, in.volatilityPercent / 100, in.ratePercent / 100,
        in.dividendPercent / 100, left / kDaysPerYear};
}

ExpiryFigures expiryFigures(const Legs &legs)
{
    ExpiryFigures out;
    for (const Leg &leg : legs)
        out.netPremium -= leg.shares * leg.entryPrice;

    const std::vector<double> at = corners(legs);
    std::vector<double> value(at.size());
    for (std::size_t i = 0; i < at.size(); ++i) {
        value[i] = expiryProfit(legs, at[i]);
        if (std::abs(value[i]) < kZeroAmount)
            value[i] = 0;
    }
    const double slope = finalSlope(legs);

    const auto best = std::max_element(value.begin(), value.end());
    const auto worst = std::min_element(value.begin(), value.end());
    out.maxProfit = slope > 0 ? Extreme {true, 0, 0}
                              : Extreme {false, *best, at[std::size_t(best - value.begin())]};
    out.maxLoss = slope < 0 ? Extreme {true, 0, 0}
                            : Extreme {false, *worst, at[std::size_t(worst - value.begin())]};

    const auto addRoot = [&out](double price) {
        if (out.breakEvens.empty() || out.breakEvens.back() != price)
            out.breakEvens.push_back(price);
    };
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (value[i] == 0)
            addRoot(at[i]);
        if (i + 1 < at.size()) {
            const double a = value[i], b = value[i + 1];
            if ((a < 0 && b > 0) || (a > 0 && b < 0))
                addRoot(at[i] + (at[i + 1] - at[i]) * a / (a - b));
        } else if (value[i] != 0 && slope != 0 && (value[i] > 0) != (slope > 0)) {
            addRoot(at[i] - value[i] / slope);
        }
    }
    return out;
}

double probabilityOfProfit(const Legs &legs, const AnalysisInputs &inputs)
{
    const Market m = marketOn(inputs, 0);
    const double drift = (m.rate - m.dividend - m.volatility * m.volatility / 2) * m.years;
    const double spread = m.volatility * std::sqrt(m.years);
    if (!(spread > 0))
        return expiryProfit(legs, m.spot * std::exp(drift)) > kZeroAmount ? 1.0 : 0.0;
    // The chance that the price at expiration lies below x.
    const auto below = [&](double x) {
        if (x <= 0)
            return 0.0;
        return normalCdf((std::log(x / m.spot) - drift) / spread);
    };

    // Between two neighbouring break-evens the profit keeps its sign.
    std::vector<double> bounds {0.0};
    for (double root : expiryFigures(legs).breakEvens)
        if (root > 0)
            bounds.push_back(root);
    double chance = 0;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const bool last = i + 1 == bounds.size();
        const double probe = last ? bounds[i] + 1 + bounds[i] : (bounds[i] + bounds[i + 1]) / 2;
        if (expiryProfit(legs, probe) > kZeroAmount)
            chance += (last ? 1.0 : below(bounds[i + 1])) - below(bounds[i]);
    }
    return std::clamp(chance, 0.0, 1.0);
}

PositionGreeks positionGreeks(const Legs &legs, const Market &market)
{
    PositionGreeks out;
    for (const Leg &leg : legs) {
        if (leg.kind == Leg::Kind::Stock) {
            out.delta += leg.shares;
            continue;
        }
        const CallGreeks g = callGreeks(leg.strike, market);
        out.delta += leg.shares * g.delta;
        out.gamma += leg.shares * g.gamma;
        out.theta += leg.shares * g.theta / kDaysPerYear;
        out.vega += leg.shares * g.vega / 100;
    }
    return out;
}

PositionAnalysis analysePosition(const Legs &legs, const AnalysisInputs &inputs)
{
    return {expiryFigures(legs), probabilityOfProfit(legs, inputs),
        positionGreeks(legs, marketOn(inputs, 0))};
}

double profitOn(const Legs &legs, const Market &market)
{
    double total = 0;
    for (const Leg &leg : legs) {
        const double value
            = leg.kind == Leg::Kind::Stock ? market.spot : callValue(leg.strike, market);
        total += leg.profitAtValue(value);
    }
    return total;
}

CurveValues curveValuesAt(const Legs &legs, const AnalysisInputs &inputs, double price)
{
    Market today = marketOn(inputs, 0);
    Market onDate = marketOn(inputs, inputs.elapsedDays);
    today.spot = onDate.spot = price;
    return {expiryProfit(legs, price), profitOn(legs, today), profitOn(legs, onDate)};
}

AnalysisCurves analysisCurves(
    const Legs &legs, const AnalysisInputs &inputs, double low, double high, int count)
{
    AnalysisCurves out;
    const auto n = std::size_t(std::max(count, 2));
    for (auto *v : {&out.prices, &out.atExpiry, &out.today, &out.onDate})
        v->resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double price = low + (high - low) * double(i) / double(n - 1);
        const CurveValues values = curveValuesAt(legs, inputs, price);
        out.prices[i] = price;
        out.atExpiry[i] = values.atExpiry;
        out.today[i] = values.today;
        out.onDate[i] = values.onDate;
    }
    return out;
}

PriceRange autoPriceRange(const Legs &legs, const AnalysisInputs &inputs)
{
    const Market m = marketOn(inputs, 0);
    const double move = std::exp(2 * m.volatility * std::sqrt(m.years));
    double low = m.spot / move, high = m.spot * move;
    const auto cover = [&](double price) {
        low = std::min(low, price);
        high = std::max(high, price);
    };
    for (const Leg &leg : legs)
        if (leg.kind == Leg::Kind::Call)
            cover(leg.strike);
    for (double root : expiryFigures(legs).breakEvens)
        cover(root);
    const double margin = std::max((high - low) * 0.12, m.spot * 0.02);
    return {std::max(0.0, low - margin), high + margin};
}

} // namespace velmora
