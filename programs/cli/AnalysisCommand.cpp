#include "programs/cli/AnalysisCommand.h"

#include "strategies/AnalysisChart.h"
#include "strategies/PositionGrid.h"
#include "ui/output/ChartExport.h"

#include <QDate>
#include <QJsonArray>
#include <QLocale>

namespace velmora
{

namespace
{

constexpr int kCurvePrices = 201;

QJsonArray numbers(const std::vector<double> &values)
{
    QJsonArray out;
    for (double v : values)
        out.append(v);
    return out;
}

QJsonValue orNull(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonArray stretches(const std::vector<PriceStretch> &list)
{
    QJsonArray out;
    for (const PriceStretch &s : list)
        out.append(QJsonObject {{"from", s.from}, {"to", orNull(s.to)}});
    return out;
}

// The figure as a number, "unlimited", or "none" where the best outcome is
// no profit (the worst no loss).
QJsonValue extremeValue(const Extreme &e, bool possible)
{
    if (e.unlimited)
        return QStringLiteral("unlimited");
    return possible ? QJsonValue(e.amount) : QJsonValue(QStringLiteral("none"));
}

QJsonObject outcome(const Extreme &e)
{
    return {{"unlimited", e.unlimited},
        {"amount", e.unlimited ? QJsonValue(QJsonValue::Null) : QJsonValue(e.amount)},
        {"where", stretches(e.where)}};
}

QJsonValue percent(const std::optional<double> &volatility)
{
    return volatility ? QJsonValue(100 * *volatility) : QJsonValue(QJsonValue::Null);
}

QJsonArray legsReport(const Legs &legs, const LegVolatilities &volatilities, bool priced)
{
    QJsonArray out;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const Leg &leg = legs[i];
        QJsonObject item {{"kind", leg.kind == Leg::Kind::Stock ? "stock" : "call"},
            {"shares", leg.shares}, {"entryPrice", leg.entryPrice}};
        if (leg.kind == Leg::Kind::Call) {
            const ImpliedVolatility &implied = volatilities[i].implied;
            item["strike"] = leg.strike;
            item["impliedVolatility"] = percent(implied.volatility);
            if (implied.none)
                item["noImpliedVolatility"] = noImpliedText(*implied.none);
            item["volatilityUsed"]
                = priced ? QJsonValue(100 * volatilities[i].used) : QJsonValue(QJsonValue::Null);
        }
        out.append(item);
    }
    return out;
}

QJsonObject gridReport(const PositionGrid &grid, const QDate &today)
{
    QJsonArray dates, pl;
    for (double day : grid.days)
        dates.append(gridDate(today, day).toString(Qt::ISODate));
    for (const std::vector<double> &row : grid.pl)
        pl.append(numbers(row));
    return {{"prices", numbers(grid.prices)}, {"days", numbers(grid.days)}, {"dates", dates},
        {"pl", pl}};
}

} // namespace

QString applyVolatilityOption(const QString &value, AnalysisOptions &options)
{
    if (value == QStringLiteral("implied")) {
        options.inputs.volatilityMode = VolatilityMode::Implied;
        return {};
    }
    bool ok = false;
    const double number = QLocale::c().toDouble(value, &ok);
    if (!ok)
        return QStringLiteral("--volatility takes 'implied' or a number, not '%1'").arg(value);
    options.inputs.volatilityMode = VolatilityMode::Typed;
    options.inputs.volatilityPercent = number;
    return {};
}

AnalysisInputs analysisInputs(const AnalysisOptions &options, const Legs &legs)
{
    AnalysisInputs in = options.inputs;
    if (!in.stockPrice)
        in.stockPrice = positionStockPrice(legs);
    return in;
}

QJsonObject analysisReport(const Legs &legs, const AnalysisInputs &in)
{
    const PositionAnalysis a = analysePosition(legs, in);
    const ExpiryFigures &f = a.figures;
    QJsonObject figures {{"netPremium", f.netPremium}, {"breakEvens", numbers(f.breakEvens)},
        {"zeroStretches", stretches(f.zeroStretches)},
        {"maxProfit", extremeValue(f.maxProfit, f.profitPossible())},
        {"maxLoss", extremeValue(f.maxLoss, f.lossPossible())},
        {"bestOutcome", outcome(f.maxProfit)}, {"worstOutcome", outcome(f.maxLoss)},
        {"probabilityOfProfit", orNull(a.probabilityOfProfit)}, {"greeks", QJsonValue::Null}};
    if (a.greeks)
        figures["greeks"] = QJsonObject {{"delta", a.greeks->delta}, {"gamma", a.greeks->gamma},
            {"theta", a.greeks->theta}, {"vega", a.greeks->vega}};
    const PriceRange range = autoPriceRange(legs, in);
    const AnalysisCurves c = analysisCurves(legs, in, range.low, range.high, kCurvePrices);
    QJsonObject curves {{"prices", numbers(c.prices)}, {"atExpiry", numbers(c.atExpiry)}};
    if (in.stockPrice)
        curves["today"] = numbers(c.today);
    const QJsonObject inputs {{"stockPrice", orNull(in.stockPrice)},
        {"volatilityMode", in.volatilityMode == VolatilityMode::Implied ? "implied" : "typed"},
        {"volatility", in.volatilityPercent}, {"rate", in.ratePercent},
        {"dividend", in.dividendPercent}, {"days", in.days}};
    return {{"inputs", inputs},
        {"legs", legsReport(legs, a.volatilities, in.stockPrice.has_value())}, {"figures", figures},
        {"curves", curves},
        {"grid", gridReport(positionGrid(legs, a.volatilities, f, in), QDate::currentDate())}};
}

QString writeAnalysisChart(
    const Legs &legs, const AnalysisInputs &in, const QString &file, const QString &title)
{
    ChartSurface surface;
    const QDate date = QDate::currentDate().addDays(qint64(in.elapsedDays));
    const AnalysisScene scene {legs, in, expiryFigures(legs),
        QStringLiteral("On ") + QLocale::c().toString(date, QStringLiteral("yyyy-MM-dd")), title};
    drawAnalysisChart(surface, scene, autoPriceRange(legs, in));
    return exportChart(surface, file);
}

} // namespace velmora
