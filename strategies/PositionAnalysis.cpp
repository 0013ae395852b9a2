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

// Amounts from here on cannot be shown without an exponent.
constexpr double kLargestAmount = 1e15;

// The least stock price quoted: a hundredth of a cent. A forward price below
// it leaves the calls nothing to price.
constexpr double kLeastPrice = 1e-4;

// The automatic range's room beside the prices it must show, as a share of
// their span, and how far beyond the highest of them the likely move of the
// stock may take it.
constexpr double kRoom = 0.1;
constexpr double kMostStretch = 3;

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

std::optional<QString> inputProblem(const AnalysisInputs &in)
{
    if (!finiteAll({in.stockPrice.value_or(1), in.volatilityPercent, in.ratePercent,
            in.dividendPercent, in.days, in.elapsedDays}))
        return QStringLiteral("Every input must be a number.");
    if (in.stockPrice && !(*in.stockPrice > 0))
        return QStringLiteral("Stock Price must be Greater than 0.");
    if (in.stockPrice && *in.stockPrice < kLeastPrice)
        return QStringLiteral("Stock Price must be at least $0.0001.");
    if (!(in.volatilityPercent > 0) || in.volatilityPercent > 100 * kMostVolatility)
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
    const Market m = marketOn(in, 0);
    if (in.stockPrice && m.spot * std::exp((m.rate - m.dividend) * m.years) < kLeastPrice)
        return QStringLiteral("Dividend Yield is too high for these days: the stock's price "
                              "expected at expiration is below $0.0001 and the calls cannot be "
                              "priced.");
    return std::nullopt;
}

// Every amount of the analysis stays below the largest one shown, also at
// the widest zoom.
bool fitsInView(const Legs &legs, const AnalysisInputs &in)
{
    const double widest = highestViewPrice(legs, in);
    double exposure = 0;
    for (const Leg &leg : legs)
        exposure
            += std::abs(leg.shares) * (widest + std::abs(leg.strike) + std::abs(leg.entryPrice));
    return std::isfinite(exposure) && exposure < kLargestAmount;
}

// Prices every figure and the curves over the automatic range once: a price
// the pricing library refuses turns into the message instead of a gap.
std::optional<QString> pricingRefusal(const Legs &legs, const AnalysisInputs &in)
{
    takePricingFailure();
    const PositionAnalysis a = analysePosition(legs, in);
    bool finite
        = std::isfinite(a.figures.netPremium) && std::isfinite(a.probabilityOfProfit.value_or(0));
    if (a.greeks)
        finite = finite
            && finiteAll({a.greeks->delta, a.greeks->gamma, a.greeks->theta, a.greeks->vega});
    const PriceRange range = autoPriceRange(legs, in);
    const AnalysisCurves c = analysisCurves(legs, in, range.low, highestViewPrice(legs, in), 41);
    for (const auto *curve : {&c.atExpiry, &c.today, &c.onDate})
        finite = finite
            && std::all_of(curve->begin(), curve->end(), [](double v) { return std::isfinite(v); });
    if (finite)
        return std::nullopt;
    const std::string why = takePricingFailure();
    return QStringLiteral("The calls cannot be priced with these inputs (%1).")
        .arg(why.empty() ? QStringLiteral("an amount is not a number")
                         : QString::fromStdString(why));
}

// The prices the automatic range must show: today's stock price, the
// strikes, the break-evens and the ends of the zero stretches.
std::vector<double> landmarks(const Legs &legs, const ExpiryFigures &f, const AnalysisInputs &in)
{
    std::vector<double> out(f.breakEvens);
    if (in.stockPrice)
        out.push_back(*in.stockPrice);
    for (const Leg &leg : legs)
        if (leg.kind == Leg::Kind::Call)
            out.push_back(leg.strike);
    for (const PriceStretch &s : f.zeroStretches) {
        out.push_back(s.from);
        if (s.to)
            out.push_back(*s.to);
    }
    return out;
}

// Where the extreme `amount` is reached among the corners: the profit is
// straight between corners, so two neighbours at it make a stretch, and the
// last one with a flat profit beyond makes one without end.
std::vector<PriceStretch> reachedAt(
    const std::vector<double> &at, const std::vector<double> &value, double slope, double amount)
{
    const double near = kZeroAmount + 1e-12 * std::abs(amount);
    const auto reached = [&](std::size_t i) { return std::abs(value[i] - amount) <= near; };
    std::vector<PriceStretch> out;
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (!reached(i))
            continue;
        if (i > 0 && reached(i - 1))
            out.back().to = at[i];
        else
            out.push_back({at[i], at[i]});
        if (i + 1 == at.size() && slope == 0)
            out.back().to.reset();
    }
    return out;
}

Extreme extremeOf(
    const std::vector<double> &at, const std::vector<double> &value, double slope, bool highest)
{
    if (highest ? slope > 0 : slope < 0)
        return {true, 0, {}};
    const double amount = highest ? *std::max_element(value.begin(), value.end())
                                  : *std::min_element(value.begin(), value.end());
    return {false, amount, reachedAt(at, value, slope, amount)};
}

} // namespace

double highestViewPrice(const Legs &legs, const AnalysisInputs &in)
{
    double reference = in.stockPrice.value_or(0);
    for (const Leg &leg : legs)
        if (leg.kind == Leg::Kind::Call && std::isfinite(leg.strike))
            reference = std::max(reference, leg.strike);
    return 1000 * (reference + 1);
}

std::optional<QString> analysisProblem(const Legs &legs, const AnalysisInputs &in)
{
    if (auto problem = inputProblem(in))
        return problem;
    if (!fitsInView(legs, in))
        return QStringLiteral("The position is too large to be analysed.");
    if (const std::string missing = in.days > 0 && in.stockPrice ? pricingProblem() : std::string();
        !missing.empty()) {
        return QStringLiteral("The option pricing module cannot be loaded (%1); the analysis "
                              "before expiration is not available.")
            .arg(QString::fromStdString(missing));
    }
    return pricingRefusal(legs, in);
}

Market marketOn(const AnalysisInputs &in, double daysFromToday)
{
    const double left = std::max(0.0, in.days - std::clamp(daysFromToday, 0.0, in.days));
    return {in.stockPrice.value_or(0), in.volatilityPercent / 100, in.ratePercent / 100,
        in.dividendPercent / 100, left / kDaysPerYear};
}

LegVolatilities legVolatilities(const Legs &legs, const AnalysisInputs &in)
{
    const Market today = marketOn(in, 0);
    LegVolatilities out(legs.size());
    for (std::size_t i = 0; i < legs.size(); ++i) {
        if (legs[i].kind != Leg::Kind::Call)
            continue;
        out[i].implied = impliedVolatility(legs[i].strike, legs[i].entryPrice, today);
        const bool implied
            = in.volatilityMode == VolatilityMode::Implied && out[i].implied.volatility;
        out[i].used = implied ? *out[i].implied.volatility : today.volatility;
    }
    return out;
}

QString noImpliedText(NoImplied why)
{
    switch (why) {
    case NoImplied::NoStockPrice:
        return QStringLiteral("no stock price today");
    case NoImplied::NoTimeLeft:
        return QStringLiteral("no time left to expiration");
    case NoImplied::NotAboveIntrinsic:
        return QStringLiteral("premium not above the least the call is worth (the stock less the "
                              "discounted strike)");
    case NoImplied::NotBelowStockPrice:
        return QStringLiteral("premium not below the stock price");
    case NoImplied::AboveLimit:
        return QStringLiteral("premium needs a volatility above 1000 %");
    case NoImplied::NotFound:
        return QStringLiteral("no volatility gives the premium");
    }
    return {};
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
    out.maxProfit = extremeOf(at, value, slope, true);
    out.maxLoss = extremeOf(at, value, slope, false);

    // Segment i runs from corner i to the next one, the last one without end.
    const auto flat = [&](std::size_t i) {
        return value[i] == 0 && (i + 1 < at.size() ? value[i + 1] == 0 : slope == 0);
    };
    for (std::size_t i = 0; i < at.size(); ++i) {
        const bool last = i + 1 == at.size();
        if (flat(i)) {
            if (!out.zeroStretches.empty() && out.zeroStretches.back().to == at[i])
                out.zeroStretches.back().to = last ? std::nullopt : std::optional(at[i + 1]);
            else
                out.zeroStretches.push_back(
                    {at[i], last ? std::nullopt : std::optional(at[i + 1])});
            continue;
        }
        if (value[i] == 0 && at[i] > 0 && !(i > 0 && flat(i - 1)))
            out.breakEvens.push_back(at[i]);
        const double a = value[i];
        if (!last) {
            const double b = value[i + 1];
            if ((a < 0 && b > 0) || (a > 0 && b < 0))
                out.breakEvens.push_back(at[i] + (at[i + 1] - at[i]) * a / (a - b));
        } else if (a != 0 && slope != 0 && (a > 0) != (slope > 0)) {
            out.breakEvens.push_back(at[i] - a / slope);
        }
    }
    return out;
}

std::optional<double> probabilityOfProfit(const Legs &legs, const AnalysisInputs &inputs)
{
    if (!inputs.stockPrice)
        return std::nullopt;
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

    // Between two neighbouring bounds (break-evens and ends of zero
    // stretches) the profit keeps its sign.
    const ExpiryFigures f = expiryFigures(legs);
    std::vector<double> bounds {0.0};
    for (double root : f.breakEvens)
        bounds.push_back(root);
    for (const PriceStretch &s : f.zeroStretches) {
        bounds.push_back(s.from);
        if (s.to)
            bounds.push_back(*s.to);
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    double chance = 0;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const bool last = i + 1 == bounds.size();
        const double probe = last ? bounds[i] + 1 + bounds[i] : (bounds[i] + bounds[i + 1]) / 2;
        if (expiryProfit(legs, probe) > kZeroAmount)
            chance += (last ? 1.0 : below(bounds[i + 1])) - below(bounds[i]);
    }
    return std::clamp(chance, 0.0, 1.0);
}

PositionGreeks positionGreeks(
    const Legs &legs, const LegVolatilities &volatilities, const Market &market)
{
    PositionGreeks out;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const Leg &leg = legs[i];
        if (leg.kind == Leg::Kind::Stock) {
            out.delta += leg.shares;
            continue;
        }
        Market own = market;
        own.volatility = volatilities[i].used;
        const CallGreeks g = callGreeks(leg.strike, own);
        out.delta += leg.shares * g.delta;
        out.gamma += leg.shares * g.gamma;
        out.theta += leg.shares * g.theta / kDaysPerYear;
        out.vega += leg.shares * g.vega / 100;
    }
    return out;
}

PositionAnalysis analysePosition(const Legs &legs, const AnalysisInputs &inputs)
{
    PositionAnalysis out {expiryFigures(legs), probabilityOfProfit(legs, inputs), std::nullopt,
        legVolatilities(legs, inputs)};
    if (inputs.stockPrice)
        out.greeks = positionGreeks(legs, out.volatilities, marketOn(inputs, 0));
    return out;
}

// The parts that move with the stock are summed apart from the rest, so
// that legs worth millions each cannot cancel a cent away.
double profitOn(const Legs &legs, const LegVolatilities &volatilities, const Market &market)
{
    double spotShares = 0, fixed = 0, rest = 0;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const Leg &leg = legs[i];
        fixed -= leg.shares * leg.entryPrice;
        if (leg.kind == Leg::Kind::Stock) {
            spotShares += leg.shares;
            continue;
        }
        Market own = market;
        own.volatility = volatilities[i].used;
        const CallParts parts = callParts(leg.strike, own);
        spotShares += leg.shares * parts.spotShare;
        fixed += leg.shares * parts.strikeShare;
        rest += leg.shares * parts.rest;
    }
    return spotShares * market.spot + fixed + rest;
}

CurveValues curveValuesAt(const Legs &legs, const LegVolatilities &volatilities,
    const AnalysisInputs &inputs, double price)
{
    CurveValues out {expiryProfit(legs, price), std::nullopt, std::nullopt};
    if (!inputs.stockPrice)
        return out;
    Market today = marketOn(inputs, 0);
    Market onDate = marketOn(inputs, inputs.elapsedDays);
    today.spot = onDate.spot = price;
    out.today = profitOn(legs, volatilities, today);
    out.onDate = profitOn(legs, volatilities, onDate);
    return out;
}

CurveValues curveValuesAt(const Legs &legs, const AnalysisInputs &inputs, double price)
{
    return curveValuesAt(legs, legVolatilities(legs, inputs), inputs, price);
}

AnalysisCurves analysisCurves(
    const Legs &legs, const AnalysisInputs &inputs, double low, double high, int count)
{
    AnalysisCurves out;
    const auto n = std::size_t(std::max(count, 2));
    const LegVolatilities volatilities = legVolatilities(legs, inputs);
    out.prices.resize(n);
    out.atExpiry.resize(n);
    if (inputs.stockPrice) {
        out.today.resize(n);
        out.onDate.resize(n);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double price = low + (high - low) * double(i) / double(n - 1);
        const CurveValues values = curveValuesAt(legs, volatilities, inputs, price);
        out.prices[i] = price;
        out.atExpiry[i] = values.atExpiry;
        if (inputs.stockPrice) {
            out.today[i] = *values.today;
            out.onDate[i] = *values.onDate;
        }
    }
    return out;
}

PriceRange autoPriceRange(const Legs &legs, const AnalysisInputs &inputs)
{
    const std::vector<double> shown = landmarks(legs, expiryFigures(legs), inputs);
    double low = shown.empty() ? 0 : *std::min_element(shown.begin(), shown.end());
    double high = shown.empty() ? 1 : *std::max_element(shown.begin(), shown.end());
    if (inputs.stockPrice) {
        // The likely move at the widest volatility that prices a leg.
        const Market m = marketOn(inputs, 0);
        double widest = 0;
        for (const LegVolatility &v : legVolatilities(legs, inputs))
            widest = std::max(widest, v.used);
        const double move = std::exp(2 * widest * std::sqrt(m.years));
        low = std::min(low, m.spot / move);
        high = std::max(high, std::min(m.spot * move, kMostStretch * high));
    }
    const double span = std::max({high - low, kRoom * high, 0.01});
    const double top = highestViewPrice(legs, inputs);
    return {std::max(0.0, low - kRoom * span), std::min(top, high + kRoom * span)};
}

} // namespace velmora
