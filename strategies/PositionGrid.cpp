#include "strategies/PositionGrid.h"

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

// A landmark this close to a round price (as a share of the step) takes its
// row, so that no two rows read alike.
constexpr double kSameRow = 0.02;
// However close the landmarks, the rows reach this far either side of their
// middle, as a share of it.
constexpr double kLeastReach = 0.1;

// A step of the price column: 1, 2, 2.5 or 5 times a power of 10.
struct RoundStep {
    double factor = 1;
    int power = 0;

    double size() const { return priceAt(1); }
    // k steps, worked out so that 0.1 x 3 reads as 0.3 and not a hair off it.
    double priceAt(double k) const
    {
        return power < 0 ? k * factor / std::pow(10.0, -power) : k * factor * std::pow(10.0, power);
    }
};

// The prices the grid must show: the strikes, the break-evens and today's
// stock price, ascending, once each.
std::vector<double> landmarks(const Legs &legs, const ExpiryFigures &f, const AnalysisInputs &in)
{
    std::vector<double> out(f.breakEvens);
    for (const Leg &leg : legs)
        if (leg.kind == Leg::Kind::Call)
            out.push_back(leg.strike);
    if (in.stockPrice)
        out.push_back(*in.stockPrice);
    std::erase_if(out, [](double p) { return !(p > 0) || !std::isfinite(p); });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

bool nearLandmark(double price, const std::vector<double> &marks, double step)
{
    return std::any_of(marks.begin(), marks.end(),
        [&](double m) { return std::abs(m - price) < kSameRow * step; });
}

// Round prices from low to high with the landmarks among them, then more
// round prices on the thinner side of `centre` until there are kGridRows;
// ascending.
std::vector<double> rowsWithStep(
    const RoundStep &step, double low, double high, double centre, const std::vector<double> &marks)
{
    std::vector<double> out(marks);
    double first = std::ceil(low / step.size());
    double last = std::floor(high / step.size());
    for (double k = first; k <= last; ++k)
        if (step.priceAt(k) > 0 && !nearLandmark(step.priceAt(k), marks, step.size()))
            out.push_back(step.priceAt(k));
    if (out.size() > std::size_t(kMostGridRows))
        return out;
    const auto below = [&] {
        return std::count_if(out.begin(), out.end(), [&](double p) { return p < centre; });
    };
    while (out.size() < std::size_t(kGridRows)) {
        const bool down = step.priceAt(first - 1) > 0 && 2 * below() < std::ptrdiff_t(out.size());
        const double k = down ? --first : ++last;
        if (!nearLandmark(step.priceAt(k), marks, step.size()))
            out.push_back(step.priceAt(k));
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<double> gridPrices(const Legs &legs, const LegVolatilities &volatilities,
    const ExpiryFigures &f, const AnalysisInputs &in)
{
    std::vector<double> marks = landmarks(legs, f, in);
    if (marks.empty())
        marks.push_back(1);
    double low = marks.front(), high = marks.back();
    const double centre = in.stockPrice.value_or((low + high) / 2);
    if (in.stockPrice) {
        // A likely move to expiration: one standard deviation at the widest
        // volatility that prices a leg.
        double widest = 0;
        for (const LegVolatility &v : volatilities)
            widest = std::max(widest, v.used);
        const double move = std::exp(widest * std::sqrt(marketOn(in, 0).years));
        low = std::min(low, centre / move);
        high = std::max(high, centre * move);
    }
    low = std::min(low, centre * (1 - kLeastReach));
    high = std::max(high, centre * (1 + kLeastReach));

    // The finest round step that keeps the rows within kMostGridRows.
    RoundStep step {1, int(std::floor(std::log10((high - low) / 40)))};
    for (int tries = 0; tries < 200; ++tries) {
        for (double factor : {1.0, 2.0, 2.5, 5.0}) {
            step.factor = factor;
            std::vector<double> rows = rowsWithStep(step, low, high, centre, marks);
            if (rows.size() <= std::size_t(kMostGridRows))
                return {rows.rbegin(), rows.rend()};
        }
        ++step.power;
    }
    return {marks.rbegin(), marks.rend()};
}

// Today, evenly spaced dates and expiration, in whole days, with the
// evaluation date among them; expiration alone without today's stock price.
std::vector<double> gridDays(const AnalysisInputs &in)
{
    if (!in.stockPrice || !(in.days > 0))
        return {in.days};
    std::vector<double> out {0};
    for (int i = 1; i <= kGridInnerDates; ++i) {
        const double day = std::round(in.days * i / (kGridInnerDates + 1));
        if (day > out.back() && day < in.days)
            out.push_back(day);
    }
    out.push_back(in.days);
    if (!std::binary_search(out.begin(), out.end(), in.elapsedDays))
        out.insert(std::upper_bound(out.begin(), out.end(), in.elapsedDays), in.elapsedDays);
    return out;
}

QString amountText(double amount)
{
    return QString::number(std::abs(amount) < 0.005 ? 0.0 : amount, 'f', 2);
}

} // namespace

PositionGrid positionGrid(const Legs &legs, const AnalysisInputs &inputs)
{
    return positionGrid(legs, legVolatilities(legs, inputs), expiryFigures(legs), inputs);
}

PositionGrid positionGrid(const Legs &legs, const LegVolatilities &volatilities,
    const ExpiryFigures &figures, const AnalysisInputs &inputs)
{
    PositionGrid grid;
    grid.prices = gridPrices(legs, volatilities, figures, inputs);
    grid.days = gridDays(inputs);
    const std::size_t expiration = grid.expirationColumn();
    // The curves' own pricing: the expiry profit at expiration, each call
    // at its own volatility before it.
    std::vector<Market> markets;
    for (double day : grid.days)
        markets.push_back(marketOn(inputs, day));
    grid.pl.reserve(grid.prices.size());
    for (double price : grid.prices) {
        std::vector<double> row(grid.days.size());
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c == expiration) {
                row[c] = expiryProfit(legs, price);
                continue;
            }
            Market market = markets[c];
            market.spot = price;
            row[c] = profitOn(legs, volatilities, market);
        }
        grid.pl.push_back(std::move(row));
    }
    if (inputs.stockPrice) {
        const auto spot = std::find(grid.prices.begin(), grid.prices.end(), *inputs.stockPrice);
        if (spot != grid.prices.end())
            grid.stockRow = std::size_t(spot - grid.prices.begin());
        const auto date = std::find(grid.days.begin(), grid.days.end(), inputs.elapsedDays);
        if (date != grid.days.end())
            grid.dateColumn = std::size_t(date - grid.days.begin());
    }
    return grid;
}

QDate gridDate(const QDate &today, double days)
{
    return today.addDays(qint64(std::floor(days)));
}

int gridPriceDecimals(const PositionGrid &grid)
{
    double finest = INFINITY;
    for (std::size_t i = 1; i < grid.prices.size(); ++i)
        finest = std::min(finest, grid.prices[i - 1] - grid.prices[i]);
    if (!(finest > 0) || !std::isfinite(finest))
        return 2;
    return std::clamp(int(std::ceil(-std::log10(finest) - 1e-9)), 2, 8);
}

TableRows gridRows(const PositionGrid &grid, const QDate &today)
{
    QStringList header {QStringLiteral("Price")};
    for (double day : grid.days)
        header << gridDate(today, day).toString(Qt::ISODate);
    TableRows rows {header};
    const int decimals = gridPriceDecimals(grid);
    for (std::size_t r = 0; r < grid.prices.size(); ++r) {
        QStringList row {QString::number(grid.prices[r], 'f', decimals)};
        for (double amount : grid.pl[r])
            row << amountText(amount);
        rows << row;
    }
    return rows;
}

} // namespace velmora
