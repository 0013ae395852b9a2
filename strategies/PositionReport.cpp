#include "strategies/PositionReport.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "strategies/AnalysisChart.h"

namespace velmora
{

namespace
{

QString headingOf(const Workspace &fields)
{
    return reportHeading(fields.text(single("Text1")), strategyNames().value(fields.strategy()));
}

QString money(double value)
{
    return QString::number(value, 'f', 2);
}

TableRows legRows(const Legs &legs, const LegVolatilities &volatilities, bool priced)
{
    TableRows rows {{QStringLiteral("Leg"), QStringLiteral("Shares"), QStringLiteral("Strike"),
        QStringLiteral("Price Paid ($)"), QStringLiteral("Volatility")}};
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const Leg &leg = legs[i];
        const QString shares = (leg.shares > 0 ? QStringLiteral("+") : QString())
            + QString::number(leg.shares, 'g', 12);
        if (leg.kind == Leg::Kind::Stock) {
            rows.append(
                {QStringLiteral("Stock"), shares, QString(), money(leg.entryPrice), QString()});
            continue;
        }
        const ImpliedVolatility &implied = volatilities[i].implied;
        QString volatility = QStringLiteral("needs today's stock price");
        if (priced)
            volatility = volatilityText(volatilities[i].used)
                + (implied.volatility
                        ? QStringLiteral(" implied")
                        : QStringLiteral(" typed (") + noImpliedText(*implied.none) + u')');
        rows.append({leg.shares > 0 ? QStringLiteral("Call bought") : QStringLiteral("Call sold"),
            shares, money(leg.strike), money(leg.entryPrice), volatility});
    }
    return rows;
}

} // namespace

QString reportHeading(const QString &symbol, const QString &strategyName)
{
    return symbol.trimmed().isEmpty() ? strategyName : symbol.trimmed() + u' ' + strategyName;
}

PositionReport positionReport(const Workspace &fields, const ChartSurface &schematic,
    const AnalysisInputs &inputs, const QDate &today)
{
    return positionReport(
        headingOf(fields), positionTitle(fields), positionLegs(fields), schematic, inputs, today);
}

PositionReport positionReport(const QString &heading, const QString &summary, const Legs &legs,
    const ChartSurface &schematic, const AnalysisInputs &inputs, const QDate &today)
{
    const PositionAnalysis analysis = analysePosition(legs, inputs);
    PositionReport report {heading, summary, today};
    report.legs = legRows(legs, analysis.volatilities, inputs.stockPrice.has_value());
    const QDate evaluated = gridDate(today, inputs.elapsedDays);
    const AnalysisScene scene {legs, inputs, analysis.figures,
        QStringLiteral("On ") + evaluated.toString(Qt::ISODate), report.summary};
    report.inputs = inputsCaption(scene, analysis.volatilities);
    report.figures = figureRows(analysis);
    report.schematic = schematic;
    drawAnalysisChart(report.analysis, scene, autoPriceRange(legs, inputs));
    report.grid = positionGrid(legs, analysis.volatilities, analysis.figures, inputs);
    return report;
}

PositionReport refusedReport(const Workspace &fields, const QString &message, const QDate &today)
{
    PositionReport report {headingOf(fields), positionTitle(fields), today};
    report.refusal = message.trimmed();
    return report;
}

} // namespace velmora
