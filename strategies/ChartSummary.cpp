#include "strategies/ChartSummary.h"

#include "core/Catalogue.h"
#include "strategies/Leg.h"
#include "strategies/PositionAnalysis.h"

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

QString dollars(double value)
{
    const double shown = std::abs(value) < 0.005 ? 0.0 : value;
    return (shown < 0 ? QStringLiteral("-$") : QStringLiteral("$"))
        + QString::number(std::abs(shown), 'f', 2);
}

QString breakEvenText(const std::vector<double> &prices)
{
    if (prices.empty())
        return QStringLiteral("No break-even");
    QStringList each;
    for (double price : prices)
        each << dollars(price);
    const QString last = each.takeLast();
    return prices.size() == 1
        ? QStringLiteral("Break-even %1").arg(last)
        : QStringLiteral("Break-evens %1 and %2").arg(each.join(QStringLiteral(", ")), last);
}

// Where an extreme is reached: "at $25.00", "at $60.00 and above", ...
QString whereText(const Extreme &e)
{
    QStringList parts;
    for (const PriceStretch &s : e.where) {
        if (!s.to)
            parts << QStringLiteral("at %1 and above").arg(dollars(s.from));
        else if (*s.to == s.from)
            parts << QStringLiteral("at %1").arg(dollars(s.from));
        else
            parts << QStringLiteral("from %1 to %2").arg(dollars(s.from), dollars(*s.to));
    }
    return parts.join(QStringLiteral(" and "));
}

QString profitText(const ExpiryFigures &figures)
{
    const Extreme &profit = figures.maxProfit;
    if (profit.unlimited)
        return QStringLiteral("maximum profit unlimited");
    if (!figures.profitPossible())
        return QStringLiteral("no profit at any price");
    return QStringLiteral("maximum profit %1 %2").arg(dollars(profit.amount), whereText(profit));
}

// A loss is said as a positive amount; a position that cannot lose says so.
QString lossText(const ExpiryFigures &figures)
{
    const Extreme &loss = figures.maxLoss;
    if (loss.unlimited)
        return QStringLiteral("maximum loss unlimited");
    if (!figures.lossPossible())
        return QStringLiteral("no loss at any price");
    return QStringLiteral("maximum loss %1 %2").arg(dollars(-loss.amount), whereText(loss));
}

QString premiumText(double netPremium)
{
    return (netPremium < 0 ? QStringLiteral("net debit %1") : QStringLiteral("net credit %1"))
        .arg(dollars(std::abs(netPremium)));
}

QString legHeader(const Leg &leg)
{
    if (leg.kind == Leg::Kind::Stock)
        return QStringLiteral("Stock Profit/Loss($)");
    return QStringLiteral("%1 Calls at %2 Profit/Loss($)")
        .arg(leg.shares < 0 ? QStringLiteral("Sold") : QStringLiteral("Bought"),
            QString::number(leg.strike, 'f', 2));
}

// The prices the chart marks: the stock's, the strikes and the break-evens.
std::vector<double> markedPrices(const Legs &legs, const ExpiryFigures &figures)
{
    std::vector<double> prices = figures.breakEvens;
    for (const Leg &leg : legs)
        prices.push_back(leg.kind == Leg::Kind::Stock ? leg.entryPrice : leg.strike);
    std::ranges::sort(prices);
    prices.erase(std::unique(prices.begin(), prices.end(),
                     [](double a, double b) { return std::abs(a - b) < 0.005; }),
        prices.end());
    return prices;
}

TableRows valueRows(const Legs &legs, const ExpiryFigures &figures)
{
    QStringList header {QStringLiteral("Price at Expiration($)")};
    for (const Leg &leg : legs)
        header << legHeader(leg);
    header << QStringLiteral("Total Profit/Loss($)");
    TableRows rows {header};
    for (double price : markedPrices(legs, figures)) {
        QStringList row {dollars(price)};
        for (const Leg &leg : legs)
            row << dollars(leg(price));
        row << dollars(expiryProfit(legs, price));
        rows << row;
    }
    return rows;
}

} // namespace

ChartSummary chartSummary(const Workspace &fields)
{
    ChartSummary summary;
    const QString strategy = strategyNames().value(fields.strategy());
    const QString symbol = fields.text(single("Text1")).trimmed();
    summary.name = symbol.isEmpty() ? strategy : QStringLiteral("%1, %2").arg(strategy, symbol);
    const Legs legs = positionLegs(fields);
    const ExpiryFigures figures = expiryFigures(legs);
    summary.figures = QStringLiteral("%1, %2, %3, %4.")
                          .arg(breakEvenText(figures.breakEvens), profitText(figures),
                              lossText(figures), premiumText(figures.netPremium));
    summary.table = valueRows(legs, figures);
    return summary;
}

} // namespace velmora
