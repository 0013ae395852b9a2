#include "programs/cli/ChartCommand.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "ui/MainWindow.h"
#include "ui/output/ChartExport.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QWidget>

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

// The message shown, where the window's focus went after it, and whether that
// field's whole text is selected.
QJsonObject focusOf(MainWindow &window, const Message &message)
{
    QJsonObject shown {{"text", message.prompt}, {"style", message.style},
        {"title", message.shownTitle()}, {"focus", QJsonValue::Null}, {"selected", false}};
    QWidget *focused = window.focusWidget();
    const std::optional<ControlId> id
        = focused ? ControlId::parse(focused->objectName()) : std::nullopt;
    if (!id)
        return shown;
    shown["focus"] = id->toString();
    if (const auto *field = qobject_cast<const QLineEdit *>(focused))
        shown["selected"] = !field->text().isEmpty() && field->selectedText() == field->text();
    return shown;
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

QJsonObject chartReport(
    MainWindow &window, const QString &result, const std::optional<Message> &shown)
{
    Workspace &ws = window.workspace();
    const ChartSurface &surface = window.surface();
    QJsonObject report {{"strategy", ws.strategy()}, {"result", result}};
    if (shown)
        report["message"] = focusOf(window, *shown);
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

ChartCommandOutput runChartCommand(
    MainWindow &window, ScriptedMessageBoxes &boxes, const ChartCommandOptions &options)
{
    ChartCommandOutput output;
    if (options.help || options.version) {
        output.standardOutput
            = (options.help ? chartCommandUsage() : chartCommandVersion()).toUtf8();
        return output;
    }

    if (options.report.wanted())
        return runReportCommand(window, boxes, options);

    // Focus and selection follow the user's rules only in a shown, active window.
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();

    Workspace &ws = window.workspace();
    StoreCommand store(options.store, ws, window.openSaveState(), boxes);
    StoreCommandResult steps = store.beforeSettings();
    if (steps.exitCode == ExitCode::Done) {
        if (steps.opened)
            window.applyOpenOutcome(*steps.opened);
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
    const auto print = [&](const QString &result, const std::optional<Message> &shown) {
        if (!options.json) {
            output.standardOutput = storeText(steps);
            return;
        }
        QJsonObject report = chartReport(window, result, shown);
        if (!analysis.isEmpty())
            report["analysis"] = analysis;
        if (options.store.usesStore())
            report["store"] = storeObject(steps);
        output.standardOutput = jsonLine(report);
    };
    if (steps.exitCode != ExitCode::Done) {
        output.exitCode = steps.exitCode;
        output.errorLine = steps.errorLine;
        print(QStringLiteral("stopped"), std::nullopt);
        return output;
    }
    // Store options alone ask for no chart.
    if (options.store.usesStore() && !options.strategy && options.settings.empty()
        && options.outFile.isEmpty()) {
        print(QStringLiteral("none"), std::nullopt);
        return output;
    }

    // The window answers View Graph with a message, a chart, or nothing at
    // all; from entry mode a chart shows as chart mode.
    window.leaveChartMode();
    if (options.printColours)
        window.surface().setPalette(ChartPalette::print());
    const std::size_t messagesBefore = boxes.shown().size();
    window.cmdGraph_Click();
    QCoreApplication::processEvents();

    std::optional<Message> shown;
    if (boxes.shown().size() > messagesBefore)
        shown = boxes.shown().back();
    const bool drawn = !shown && window.chartShown();
    const QString result = shown ? QStringLiteral("refused")
        : drawn                  ? QStringLiteral("chart")
                                 : QStringLiteral("none");
    output.exitCode = drawn ? ExitCode::Done : ExitCode::Refused;
    if (!options.json && shown)
        output.errorLine = QStringLiteral("refused: %1").arg(shown->prompt.trimmed());
    else if (!options.json && !drawn)
        output.errorLine = QStringLiteral("no strategy selected: nothing to chart");

    const Legs legs = drawn && options.analysis.enabled ? positionLegs(ws) : Legs();
    const AnalysisInputs inputs = analysisInputs(options.analysis, legs);
    const std::optional<QString> refused
        = legs.empty() ? std::nullopt : analysisProblem(legs, inputs);
    if (refused) {
        output.exitCode = ExitCode::Refused;
        output.errorLine = QStringLiteral("analysis refused: ") + *refused;
        analysis = QJsonObject {{"error", *refused}};
    } else if (!legs.empty()) {
        analysis = analysisReport(legs, inputs);
    }
    if (drawn && !options.outFile.isEmpty() && !refused) {
        const QString error = legs.empty() ? exportChart(window.surface(), options.outFile)
                                           : writeAnalysisChart(legs, inputs, options.outFile);
        if (!error.isEmpty()) {
            output.exitCode = ExitCode::Unusable;
            output.errorLine = error;
        }
    }
    print(result, shown);
    return output;
}

} // namespace velmora
