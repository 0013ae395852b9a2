#pragma once
// One position on one page, as data: the title, the legs, the analysis
// inputs, the figures, View Graph's chart with its value table, the analysis
// chart and the P/L grid; or, for a position that cannot be charted, the
// refusal in View Graph's (or the analysis's) words. The page itself is
// painted by ui/output/ReportPage.h.

#include "chart/ChartSurface.h"
#include "strategies/PositionGrid.h"
#include "strategies/TableText.h"

#include <QDate>
#include <QString>

#include <optional>

namespace velmora
{

class Workspace;

struct PositionReport {
    QString heading; // symbol and strategy: "IBM Covered Calls"
    QString summary; // the position in short (positionTitle())
    QDate written = {};
    std::optional<QString> refusal = {}; // then nothing below is set
    TableRows legs = {}; // header row first
    QString inputs = {}; // each call's volatility, rate, dividend, days, evaluation date
    TableRows figures = {}; // as the analysis window shows them (figureRows())
    ChartSurface schematic = {}; // View Graph's chart, value table included
    ChartSurface analysis = {}; // the analysis chart over the automatic price range
    PositionGrid grid = {};
};

// The report of a position whose legs View Graph drew on `schematic`.
// `inputs` must be sound for the legs (analysisProblem()).
PositionReport positionReport(const QString &heading, const QString &summary, const Legs &legs,
    const ChartSurface &schematic, const AnalysisInputs &inputs, const QDate &today);
// The same for the position in `fields`.
PositionReport positionReport(const Workspace &fields, const ChartSurface &schematic,
    const AnalysisInputs &inputs, const QDate &today);

// Symbol and strategy, as a report's heading shows them: "IBM Covered Calls".
QString reportHeading(const QString &symbol, const QString &strategyName);

// The page of a position that was refused, with the message that refused it.
PositionReport refusedReport(const Workspace &fields, const QString &message, const QDate &today);

} // namespace velmora
