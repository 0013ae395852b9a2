#include "strategies/TableText.h"

#include <cmath>

namespace velmora
{

namespace
{

QString amount(double value)
{
    return QString::number(std::abs(value) < 0.005 ? 0.0 : value, 'f', 2);
}

QStringList extremeRow(const QString &name, const Extreme &e)
{
    if (e.unlimited)
        return {name, QStringLiteral("Unlimited"), QString()};
    return {name, amount(e.amount), amount(e.price)};
}

QString joined(const TableRows &rows, QChar separator, auto &&cell)
{
    QString out;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &text : row)
            cells << cell(text);
        out += cells.join(separator) + u'\n';
    }
    return out;
}

} // namespace

TableRows figureRows(const PositionAnalysis &a)
{
    const ExpiryFigures &f = a.figures;
    QStringList breakEvens;
    for (double b : f.breakEvens)
        breakEvens << amount(b);
    return {
        {QStringLiteral("Figure"), QStringLiteral("Value"), QStringLiteral("At Price")},
        {f.netPremium < 0 ? QStringLiteral("Net Debit") : QStringLiteral("Net Credit"),
            amount(std::abs(f.netPremium)), QString()},
        extremeRow(QStringLiteral("Maximum Profit"), f.maxProfit),
        extremeRow(QStringLiteral("Maximum Loss"), f.maxLoss),
        {QStringLiteral("Break-Even"),
            breakEvens.isEmpty() ? QStringLiteral("None") : breakEvens.join(QStringLiteral("; ")),
            QString()},
        {QStringLiteral("Probability of Profit (%)"),
            QString::number(100 * a.probabilityOfProfit, 'f', 1), QString()},
        {QStringLiteral("Delta (shares)"), amount(a.greeks.delta), QString()},
        {QStringLiteral("Gamma (shares per $)"), QString::number(a.greeks.gamma, 'f', 4),
            QString()},
        {QStringLiteral("Theta ($ per day)"), amount(a.greeks.theta), QString()},
        {QStringLiteral("Vega ($ per volatility point)"), amount(a.greeks.vega), QString()},
    };
}

QString tabSeparated(const TableRows &rows)
{
    return joined(rows, u'\t', [](QString text) { return text.replace(u'\t', u' '); });
}

QString commaSeparated(const TableRows &rows)
{
    return joined(rows, u',', [](QString text) {
        if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
            return text;
        return u'"' + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    });
}

} // namespace velmora
