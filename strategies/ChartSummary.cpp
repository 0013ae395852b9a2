#include "strategies/ChartSummary.h"

#include "core/Catalogue.h"
#include "strategies/Leg.h"
#include "strategies/PositionAnalysis.h"

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

} // namespace

ChartSummary chartSummary(const Workspace &fields, const TableRows &table)
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
    summary.table = table;
    return summary;
}

} // namespace velmora
