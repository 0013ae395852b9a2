#include "programs/cli/AnalysisCommand.h"

#include "strategies/AnalysisChart.h"
#include "ui/output/ChartExport.h"

#include <QDate>
#include <QJsonArray>
#include <QLocale>

namespace velmora
{

namespace
{

constexpr int kCurvePrices = 201;

QJsonValue extremeValue(const Extreme &e)
{
    return e.unlimited ? QJsonValue(QStringLiteral("unlimited")) : QJsonValue(e.amount);
}

QJsonArray numbers(const std::vector<double> &values)
{
    QJsonArray out;
    for (double v : values)
        out.append(v);
    return out;
}

} // namespace

AnalysisInputs analysisInputs(const AnalysisOptions &options, const Legs &legs)
{
    AnalysisInputs in = options.inputs;
    if (!options.stockPriceGiven)
        in.stockPrice = positionStockPrice(legs);
    return in;
}

QJsonObject analysisReport(const Legs &legs, const AnalysisInputs &in)
{
    QJsonArray legArray;
    for (const Leg &leg : legs) {
        QJsonObject item {{"kind", leg.kind == Leg::Kind::Stock ? "stock" : "call"},
            {"shares", leg.shares}, {"entryPrice", leg.entryPrice}};
        if (leg.kind == Leg::Kind::Call)
            item["strike"] = leg.strike;
        legArray.append(item);
    }
    const PositionAnalysis a = analysePosition(legs, in);
    const QJsonObject figures {{"netPremium", a.figures.netPremium},
        {"breakEvens", numbers(a.figures.breakEvens)},
        {"maxProfit", extremeValue(a.figures.maxProfit)},
        {"maxLoss", extremeValue(a.figures.maxLoss)},
        {"probabilityOfProfit", a.probabilityOfProfit},
        {"greeks",
            QJsonObject {{"delta", a.greeks.delta}, {"gamma", a.greeks.gamma},
                {"theta", a.greeks.theta}, {"vega", a.greeks.vega}}}};
    const PriceRange range = autoPriceRange(legs, in);
    const AnalysisCurves c = analysisCurves(legs, in, range.low, range.high, kCurvePrices);
    const QJsonObject inputs {{"stockPrice", in.stockPrice}, {"volatility", in.volatilityPercent},
        {"rate", in.ratePercent}, {"dividend", in.dividendPercent}, {"days", in.days}};
    return {{"inputs", inputs}, {"legs", legArray}, {"figures", figures},
        {"curves",
            QJsonObject {{"prices", numbers(c.prices)}, {"atExpiry", numbers(c.atExpiry)},
                {"today", numbers(c.today)}}}};
}

QString writeAnalysisChart(const Legs &legs, const AnalysisInputs &in, const QString &file)
{
    ChartSurface surface;
    const QDate today = QDate::currentDate().addDays(qint64(in.elapsedDays));
    const AnalysisScene scene {legs, in, expiryFigures(legs),
        QStringLiteral("On ") + QLocale::c().toString(today, QStringLiteral("yyyy-MM-dd"))};
    drawAnalysisChart(surface, scene, autoPriceRange(legs, in));
    return exportChart(surface, file);
}

} // namespace velmora
