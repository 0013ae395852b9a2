#include "programs/cli/ChartCommand.h"
#include "programs/cli/ReportCommand.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "session/Session.h"
#include "ui/output/ChartExport.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace velmora
{

namespace
{

QJsonObject opObject(const ChartOp &op)
{
    switch (op.kind) {
    case ChartOp::Kind::Text:
        return {{"op", "text"}, {"x", op.x1}, {"y", op.y1}, {"text", op.text}, {"bold", op.bold}};
    case ChartOp::Kind::Line:
        return {{"op", "line"}, {"x1", op.x1}, {"y1", op.y1}, {"x2", op.x2}, {"y2", op.y2},
            {"color", op.colour}};
    case ChartOp::Kind::Area: {
        QJsonArray corners;
        for (const QPointF &corner : op.corners)
            corners.append(QJsonArray {corner.x(), corner.y()});
        return {{"op", "area"}, {"corners", corners}, {"color", op.colour}};
    }
    case ChartOp::Kind::Clear:
        break;
    }
    return {{"op", "clear"}};
}

// The message shown, where the focus went after it, and whether that
// field's whole text is selected.
QJsonObject messageObject(const GraphOutcome &graph)
{
    const Message &message = *graph.message;
    return {{"text", message.prompt}, {"style", message.style}, {"title", message.shownTitle()},
        {"focus", graph.focus ? QJsonValue(graph.focus->toString()) : QJsonValue::Null},
        {"selected", graph.selected}};
}

QByteArray jsonLine(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

// The same for the JSON report.
QJsonObject storeObject(const StoreCommandResult &steps)
{
    QJsonArray listed;
    for (const NameEntry &entry : steps.listed)
        listed.append(QJsonObject {{"key", entry.id}, {"name", entry.name}});
    QJsonObject store {
        {"listed", listed}, {"messages", QJsonArray::fromStringList(steps.messages)}};
    if (!steps.errorLine.isEmpty())
        store["error"] = steps.errorLine;
    return store;
}

} // namespace

void applySettings(Workspace &ws, const std::vector<FieldSetting> &settings)
{
    for (const FieldSetting &setting : settings) {
        const int entry = ratioEntry(setting.text);
        if (setting.control.name == kRatioList && !setting.control.isArrayElement())
            ws.chooseRatio(entry);
        else if (setting.control.name == kRatioSpreadList && !setting.control.isArrayElement())
            ws.chooseRatioSpread(entry);
        else
            ws.setText(setting.control, setting.text);
    }
}

QJsonObject chartReport(const Session &session, const QString &result, bool refused)
{
    const Workspace &ws = session.workspace();
    const ChartSurface &surface = session.surface();
    QJsonObject report {{"strategy", ws.strategy()}, {"result", result}};
    if (refused && session.lastGraph().message)
        report["message"] = messageObject(session.lastGraph());
    report["surface"]
        = QJsonObject {{"width", surface.scaleWidth()}, {"height", surface.scaleHeight()}};
    QJsonArray ops;
    for (const ChartOp &op : surface.ops())
        ops.append(opObject(op));
    report["ops"] = ops;
    QJsonObject fields;
    for (const ControlId &id : allTextBoxes())
        fields[id.toString()] = ws.text(id);
    fields[kRatioList] = ratioNames().value(ws.ratioIndex());
    fields[kRatioSpreadList] = ratioNames().value(ws.ratioSpreadIndex());
    report["fields"] = fields;
    return report;
}

namespace
{

// Only store options ask for no chart, except that an opened position is
// charted where the run reports or writes one.
bool chartsNothing(const ChartCommandOptions &options)
{
    const bool reportsOpened = options.store.openName
        && (options.json || options.analysis.enabled || !options.outFile.isEmpty());
    return options.store.usesStore() && !options.strategy && options.settings.empty()
        && options.outFile.isEmpty() && !reportsOpened;
}

} // namespace

ChartCommandOutput runChartCommand(
    Session &session, ScriptedMessageBoxes &boxes, const ChartCommandOptions &options)
{
    ChartCommandOutput output;
    if (options.help || options.version) {
        output.standardOutput
            = (options.help ? chartCommandUsage() : chartCommandVersion()).toUtf8();
        return output;
    }

    if (options.report.wanted())
        return runReportCommand(session, boxes, options);

    Workspace &ws = session.workspace();
    StoreCommand store(options.store, ws, session.openSave(), boxes);
    StoreCommandResult steps = store.beforeSettings();
    if (steps.exitCode == ExitCode::Done) {
        if (steps.opened && steps.opened->escape)
            session.leaveChart();
        if (options.strategy)
            ws.setStrategy(*options.strategy);
        applySettings(ws, options.settings);
        const StoreCommandResult saved = store.afterSettings();
        steps.messages = saved.messages;
        steps.exitCode = saved.exitCode;
        steps.errorLine = saved.errorLine;
    }
    QJsonObject analysis; // with --analysis after a chart
    // What the run prints: the store's lines, or one JSON object holding them.
    const auto print = [&](const QString &result, bool refused) {
        if (!options.json) {
            output.standardOutput = storeText(steps);
            return;
        }
        QJsonObject report = chartReport(session, result, refused);
        if (!analysis.isEmpty())
            report["analysis"] = analysis;
        if (options.store.usesStore())
            report["store"] = storeObject(steps);
        output.standardOutput = jsonLine(report);
    };
    if (steps.exitCode != ExitCode::Done) {
        output.exitCode = steps.exitCode;
        output.errorLine = steps.errorLine;
        print(QStringLiteral("stopped"), false);
        return output;
    }
    if (chartsNothing(options)) {
        if (options.analysis.enabled) {
            output.exitCode = ExitCode::Refused;
            output.errorLine = QStringLiteral("nothing to analyse: give a strategy or --open NAME");
        }
        print(QStringLiteral("none"), false);
        return output;
    }

    // View Graph answers with a message, a chart, or nothing at all.
    session.leaveChart();
    if (options.printColours)
        session.surface().setPalette(ChartPalette::print());
    const GraphOutcome &graph = session.viewGraph();
    const bool refused = graph.result == ChartResult::Refused && graph.message;
    const bool drawn = graph.result == ChartResult::Chart;
    const QString result = refused ? QStringLiteral("refused")
        : drawn                    ? QStringLiteral("chart")
                                   : QStringLiteral("none");
    output.exitCode = drawn ? ExitCode::Done : ExitCode::Refused;
    if (!options.json && refused)
        output.errorLine = QStringLiteral("refused: %1").arg(graph.message->prompt.trimmed());
    else if (!options.json && !drawn)
        output.errorLine = QStringLiteral("no strategy selected: nothing to chart");

    const Legs legs = drawn && options.analysis.enabled ? positionLegs(ws) : Legs();
    const AnalysisInputs &inputs = session.analysisInputs()
        = analysisInputs(options.analysis, legs);
    const std::optional<QString> analysisRefused
        = legs.empty() ? std::nullopt : analysisProblem(legs, inputs);
    if (analysisRefused) {
        output.exitCode = ExitCode::Refused;
        output.errorLine = QStringLiteral("analysis refused: ") + *analysisRefused;
        analysis = QJsonObject {{"error", *analysisRefused}};
    } else if (!legs.empty()) {
        analysis = analysisReport(legs, inputs);
    }
    if (drawn && !options.outFile.isEmpty() && !analysisRefused) {
        const QString error = legs.empty()
            ? exportChart(session.surface(), options.outFile)
            : writeAnalysisChart(legs, inputs, options.outFile, positionTitle(ws));
        if (!error.isEmpty()) {
            output.exitCode = ExitCode::Unusable;
            output.errorLine = error;
        }
    }
    print(result, refused);
    return output;
}

} // namespace velmora
