#include "strategies/TableText.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace velmora
{

namespace
{

// Texts left of this belong to the profit axis, not to a table.
constexpr double kTableLeft = 3000;
// The header and at most five rows of 400 twips lie within this of the top.
constexpr double kTableDepth = 2600;

QString amount(double value)
{
    return QString::number(std::abs(value) < 0.005 ? 0.0 : value, 'f', 2);
}

QString stretchText(const PriceStretch &s)
{
    if (!s.to)
        return QStringLiteral(">= ") + amount(s.from);
    if (*s.to == s.from)
        return amount(s.from);
    return s.from == 0 ? QStringLiteral("<= ") + amount(*s.to)
                       : amount(s.from) + QStringLiteral(" to ") + amount(*s.to);
}

QString whereText(const Extreme &e)
{
    QStringList parts;
    for (const PriceStretch &s : e.where)
        parts << stretchText(s);
    return parts.join(QStringLiteral("; "));
}

// A best outcome that is a loss is no maximum profit, a worst one that is a
// gain no maximum loss: "None", with the outcome stated.
QStringList extremeRow(const QString &name, const Extreme &e, bool possible, bool profit)
{
    if (e.unlimited)
        return {name, QStringLiteral("Unlimited"), QString()};
    if (possible)
        return {name, amount(e.amount), whereText(e)};
    const QString outcome = e.amount == 0 ? QStringLiteral("no profit or loss")
        : e.amount > 0                    ? QStringLiteral("profit ") + amount(e.amount)
                                          : QStringLiteral("loss ") + amount(-e.amount);
    return {name,
        QStringLiteral("None (%1 case: %2)")
            .arg(profit ? QStringLiteral("best") : QStringLiteral("worst"), outcome),
        whereText(e)};
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

TableRows valueTableRows(const ChartSurface &surface, int tableTop)
{
    std::map<double, std::vector<const ChartOp *>> lines; // by y
    for (const ChartOp &op : surface.ops())
        if (op.kind == ChartOp::Kind::Text && op.x1 >= kTableLeft && op.y1 > tableTop
            && op.y1 < tableTop + kTableDepth)
            lines[op.y1].push_back(&op);
    TableRows rows;
    for (auto &[y, ops] : lines) {
        std::stable_sort(ops.begin(), ops.end(),
            [](const ChartOp *a, const ChartOp *b) { return a->x1 < b->x1; });
        QStringList row;
        for (const ChartOp *op : ops)
            row << op->text.trimmed();
        rows << row;
    }
    return rows;
}

TableRows figureRows(const PositionAnalysis &a)
{
    const ExpiryFigures &f = a.figures;
    QStringList breakEvens;
    for (double b : f.breakEvens)
        breakEvens << amount(b);
    QStringList zero;
    for (const PriceStretch &s : f.zeroStretches)
        zero << stretchText(s);
    const QString unknown = QStringLiteral("needs today's stock price");
    const auto greek = [&](double PositionGreeks::*member, int decimals) {
        return a.greeks
            ? QString::number(std::abs(*a.greeks.*member) < 0.5 * std::pow(10.0, -decimals)
                    ? 0.0
                    : *a.greeks.*member,
                'f', decimals)
            : unknown;
    };
    TableRows rows {
        {QStringLiteral("Figure"), QStringLiteral("Value"), QStringLiteral("At Price")},
        {f.netPremium < 0 ? QStringLiteral("Net Debit") : QStringLiteral("Net Credit"),
            amount(std::abs(f.netPremium)), QString()},
        extremeRow(QStringLiteral("Maximum Profit"), f.maxProfit, f.profitPossible(), true),
        extremeRow(QStringLiteral("Maximum Loss"), f.maxLoss, f.lossPossible(), false),
        {QStringLiteral("Break-Even"),
            breakEvens.isEmpty() ? QStringLiteral("None") : breakEvens.join(QStringLiteral("; ")),
            QString()},
    };
    if (!zero.isEmpty())
        rows.append(
            {QStringLiteral("No Profit or Loss"), zero.join(QStringLiteral("; ")), QString()});
    rows.append({QStringLiteral("Probability of Profit (%)"),
        a.probabilityOfProfit ? QString::number(100 * *a.probabilityOfProfit, 'f', 1) : unknown,
        QString()});
    rows.append({QStringLiteral("Delta (shares)"), greek(&PositionGreeks::delta, 2), QString()});
    rows.append(
        {QStringLiteral("Gamma (shares per $)"), greek(&PositionGreeks::gamma, 4), QString()});
    rows.append({QStringLiteral("Theta ($ per day)"), greek(&PositionGreeks::theta, 2), QString()});
    rows.append({QStringLiteral("Vega ($ per volatility point)"), greek(&PositionGreeks::vega, 2),
        QString()});
    return rows;
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
