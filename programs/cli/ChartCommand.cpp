#include "programs/cli/ChartCommand.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "ui/MainWindow.h"
#include "ui/chart/ChartExport.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QWidget>

namespace velmora
{

namespace
{

const QString kRatioList = QStringLiteral("cmbRatio");
const QString kRatioSpreadList = QStringLiteral("cmbratioCallSpreads");

bool isRatioList(const ControlId &id)
{
    return !id.isArrayElement() && (id.name == kRatioList || id.name == kRatioSpreadList);
}

// NAME=TEXT; an error text when it names no control or no entry of a list.
QString parseSetting(const QString &argument, std::vector<FieldSetting> &settings)
{
    const qsizetype equals = argument.indexOf(u'=');
    if (equals < 1)
        return QStringLiteral("--set takes NAME=TEXT, not '%1'").arg(argument);
    const QString name = argument.left(equals);
    const QString text = argument.mid(equals + 1);
    const std::optional<ControlId> id = ControlId::parse(name);
    if (!id || !(Workspace::hasField(*id) || isRatioList(*id)))
        return QStringLiteral("unknown control '%1'").arg(name);
    if (isRatioList(*id) && ratioEntry(text) < 0)
        return QStringLiteral("%1 has no entry '%2'").arg(name, text);
    settings.push_back({*id, text});
    return {};
}

QString parseStrategy(const QString &value, std::optional<int> &strategy)
{
    bool ok = false;
    const int index = value.toInt(&ok);
    if (!ok || index < -1 || index >= kStrategyCount)
        return QStringLiteral("--strategy takes a list index from 0 to %1, not '%2'")
            .arg(kStrategyCount - 1)
            .arg(value);
    strategy = index;
    return {};
}

QString parseOutFile(const QString &value, QString &outFile)
{
    if (!chartFileFormat(value))
        return QStringLiteral("--out writes .png, .svg or .pdf files, not '%1'").arg(value);
    outFile = value;
    return {};
}

QJsonObject opObject(const ChartOp &op)
{
    switch (op.kind) {
    case ChartOp::Kind::Text:
        return {{"op", "text"}, {"x", op.x1}, {"y", op.y1}, {"text", op.text}, {"bold", op.bold}};
    case ChartOp::Kind::Line:
        return {{"op", "line"}, {"x1", op.x1}, {"y1", op.y1}, {"x2", op.x2}, {"y2", op.y2},
            {"color", op.colour}};
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

// Adds what a store step printed; true when the step ended the command.
bool stoppedBy(const StoreCommandResult &step, ChartCommandOutput &output)
{
    output.standardOutput += step.standardOutput;
    if (step.exitCode == ExitCode::Done)
        return false;
    output.exitCode = step.exitCode;
    output.errorLine = step.errorLine;
    return true;
}

} // namespace

QString chartCommandUsage()
{
    return QStringLiteral(
               "Usage: velmora-chart [--strategy N] [--set NAME=TEXT]... [--json] [--out FILE]\n"
               "Runs View Graph once in the program's main window, without a screen.\n"
               "\n"
               "  --strategy N     select entry N of the strategy list: 0 Covered Calls,\n"
               "                   1 Ratio Calls, 2 Bull Spreads, 3 Butterfly Spreads,\n"
               "                   4 Ratio Call Spreads (-1 selects none)\n"
               "  --set NAME=TEXT  type TEXT into the control NAME (Text1, Text4(2),\n"
               "                   txtRatioSell(1)); cmbRatio=3:2 and cmbratioCallSpreads=4:3\n"
               "                   choose a ratio. Applied in the order given.\n"
               "  --json           print the outcome, the recorded chart and the fields as JSON\n"
               "  --out FILE       write the chart to FILE (.png, .svg or .pdf)\n"
               "  --print-colours  draw the chart black on white, as it is printed\n"
               "\n"
               "Exit status: 0 chart drawn, 1 refused (or no strategy selected),\n"
               "2 usage error, 3 the file could not be written.\n\n")
        + storeCommandUsage();
}

ParsedChartArguments parseChartArguments(const QStringList &arguments)
{
    ParsedChartArguments parsed;
    ChartCommandOptions &o = parsed.options;
    for (qsizetype i = 0; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        QString option = arguments[i];
        std::optional<QString> value;
        if (const qsizetype equals = option.indexOf(u'='); option.startsWith(u"--") && equals > 0) {
            value = option.mid(equals + 1);
            option.truncate(equals);
        }
        const auto takeValue = [&]() -> std::optional<QString> {
            if (value)
                return value;
            if (i + 1 < arguments.size())
                return arguments[++i];
            parsed.error = QStringLiteral("%1 needs a value").arg(option);
            return std::nullopt;
        };
        if (option == u"--help" || option == u"-h") {
            o.help = true;
        } else if (option == u"--json") {
            o.json = true;
        } else if (option == u"--print-colours") {
            o.printColours = true;
        } else if (option == u"--strategy") {
            if (const auto v = takeValue())
                parsed.error = parseStrategy(*v, o.strategy);
        } else if (option == u"--set") {
            if (const auto v = takeValue())
                parsed.error = parseSetting(*v, o.settings);
        } else if (option == u"--out") {
            if (const auto v = takeValue())
                parsed.error = parseOutFile(*v, o.outFile);
        } else if (isStoreOption(option)) {
            if (const auto v = takeValue())
                parsed.error = applyStoreOption(option, *v, o.store);
        } else {
            parsed.error = QStringLiteral("unknown option '%1'").arg(arguments[i]);
        }
    }
    return parsed;
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
    if (options.help) {
        output.standardOutput = chartCommandUsage().toUtf8();
        return output;
    }

    // Focus and selection follow the user's rules only in a shown, active window.
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();

    Workspace &ws = window.workspace();
    StoreCommand store(options.store, ws, window.openSaveState(), boxes);
    const StoreCommandResult opened = store.beforeSettings();
    if (stoppedBy(opened, output))
        return output;
    if (opened.opened)
        window.applyOpenOutcome(*opened.opened);
    if (options.strategy)
        ws.setStrategy(*options.strategy);
    for (const FieldSetting &setting : options.settings) {
        const int entry = ratioEntry(setting.text);
        if (setting.control.name == kRatioList && !setting.control.isArrayElement())
            ws.chooseRatio(entry);
        else if (setting.control.name == kRatioSpreadList && !setting.control.isArrayElement())
            ws.chooseRatioSpread(entry);
        else
            ws.setText(setting.control, setting.text);
    }
    if (stoppedBy(store.afterSettings(), output))
        return output;
    // Store options alone ask for no chart.
    if (options.store.usesStore() && !options.strategy && options.settings.empty() && !options.json
        && options.outFile.isEmpty())
        return output;

    // The window answers View Graph with a message, a chart, or nothing at
    // all; from entry mode a chart shows as chart mode.
    window.keyHandling(27);
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

    if (drawn && !options.outFile.isEmpty()) {
        const QString error = exportChart(window.surface(), options.outFile);
        if (!error.isEmpty()) {
            output.exitCode = ExitCode::Unusable;
            output.errorLine = error;
        }
    }
    if (options.json) {
        output.standardOutput
            += QJsonDocument(chartReport(window, result, shown)).toJson(QJsonDocument::Compact)
            + '\n';
    }
    return output;
}

} // namespace velmora
