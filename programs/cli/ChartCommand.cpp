#include "programs/cli/ChartCommand.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "ui/MainWindow.h"
#include "ui/chart/ChartExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>

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

// Why the user could not type TEXT into the field; empty when they could.
QString typingRefusal(const ControlId &id, const QString &text)
{
    const QString name = id.toString();
    switch (fieldKind(id)) {
    case FieldKind::ReadOnly:
        return QStringLiteral("%1 is read-only").arg(name);
    case FieldKind::Hidden:
        return QStringLiteral("%1 is hidden and cannot be typed into").arg(name);
    default:
        break;
    }
    if (std::any_of(
            text.begin(), text.end(), [&](QChar c) { return !Workspace::acceptsKey(id, c); }))
        return QStringLiteral("%1 refuses '%2': %3")
            .arg(name, text, Workspace::keyFilterMessage().prompt);
    return {};
}

// NAME=TEXT, typed as the user would: an error text when it names no control
// or no entry of a list, or when the field would not take the text. Text
// beyond the field's length limit is cut off, as the field does.
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
    if (isRatioList(*id)) {
        if (ratioEntry(text) < 0)
            return QStringLiteral("%1 has no entry '%2'").arg(name, text);
        settings.push_back({*id, text});
        return {};
    }
    if (const QString refused = typingRefusal(*id, text); !refused.isEmpty())
        return refused;
    const int most = fieldMaxLength(*id);
    settings.push_back({*id, most > 0 ? text.left(most) : text});
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

// Every option of velmora-chart with what it records; a switch has no value
// name and is applied once with an empty value.
using ApplyOption = QString (*)(const QString &value, ChartCommandOptions &options);

struct OptionEntry {
    const char *name;
    const char *valueName;
    const char *description;
    ApplyOption apply;
};

const OptionEntry kOptions[] = {
    {"strategy", "N",
        "Select entry N of the strategy list: 0 Covered Calls, 1 Ratio Calls, 2 Bull Spreads, "
        "3 Butterfly Spreads, 4 Ratio Call Spreads (-1 selects none).",
        [](const QString &v, ChartCommandOptions &o) { return parseStrategy(v, o.strategy); }},
    {"set", "NAME=TEXT",
        "Type TEXT into the control NAME as the user would (Text1, Text4(2), txtRatioSell(1)); "
        "cmbRatio=3:2 and cmbratioCallSpreads=4:3 choose a ratio. Applied in the order given. "
        "A read-only or hidden control and text the field's key filter refuses are usage errors; "
        "text beyond the field's length limit is cut off.",
        [](const QString &v, ChartCommandOptions &o) { return parseSetting(v, o.settings); }},
    {"json", nullptr,
        "Print one JSON object: the outcome, the recorded chart, the fields and what the "
        "position file options did.",
        [](const QString &, ChartCommandOptions &o) {
            o.json = true;
            return QString();
        }},
    {"out", "FILE", "Write the chart to FILE (.png, .svg or .pdf).",
        [](const QString &v, ChartCommandOptions &o) { return parseOutFile(v, o.outFile); }},
    {"print-colours", nullptr, "Draw the chart black on white, as it is printed.",
        [](const QString &, ChartCommandOptions &o) {
            o.printColours = true;
            return QString();
        }},
    {"db", "FILE", "Use FILE as the position file instead of the program's own.",
        [](const QString &v, ChartCommandOptions &o) { return applyDatabaseOption(v, o.store); }},
    {"list", "N", "Print the saved names of strategy N, one a line: key, tab, name.",
        [](const QString &v, ChartCommandOptions &o) { return applyListOption(v, o.store); }},
    {"open", "NAME", "Open the saved position NAME as File > open does (before --set).",
        [](const QString &v, ChartCommandOptions &o) { return applyOpenOption(v, o.store); }},
    {"save", "NAME",
        "Save the position as File > Save does and print its message (after --open and --set; "
        "may be repeated).",
        [](const QString &v, ChartCommandOptions &o) { return applySaveOption(v, o.store); }},
    {"analysis", nullptr,
        "After the chart, analyse the position to true scale: --json adds its legs, figures, "
        "greeks and curves at 201 prices; --out writes the analysis chart instead.",
        [](const QString &, ChartCommandOptions &o) {
            o.analysis.enabled = true;
            return QString();
        }},
    {"volatility", "PERCENT", "Volatility for --analysis, % a year (30).",
        [](const QString &v, ChartCommandOptions &o) {
            return applyAnalysisOption(AnalysisInput::Volatility, v, o.analysis);
        }},
    {"rate", "PERCENT", "Interest rate for --analysis, % a year (4).",
        [](const QString &v, ChartCommandOptions &o) {
            return applyAnalysisOption(AnalysisInput::Rate, v, o.analysis);
        }},
    {"dividend", "PERCENT", "Dividend yield for --analysis, % a year (0).",
        [](const QString &v, ChartCommandOptions &o) {
            return applyAnalysisOption(AnalysisInput::Dividend, v, o.analysis);
        }},
    {"days", "N", "Days to expiration for --analysis (30).",
        [](const QString &v, ChartCommandOptions &o) {
            return applyAnalysisOption(AnalysisInput::Days, v, o.analysis);
        }},
    {"stock-price", "PRICE",
        "Today's stock price for --analysis (the position's; the middle of the strikes for the "
        "spreads).",
        [](const QString &v, ChartCommandOptions &o) {
            return applyAnalysisOption(AnalysisInput::StockPrice, v, o.analysis);
        }},
};

const char kDescription[]
    = "Runs View Graph once in the program's main window, without a screen. With only --db,\n"
      "--list, --open and --save no chart is drawn.\n";

const char kExitStatus[]
    = "Exit status:\n"
      "  0  a chart was drawn, or only position file options were given\n"
      "  1  the request or the position file refused: a check failed, a name is in use,\n"
      "     blank or not found, or no strategy is selected\n"
      "  2  usage error (one line on standard error)\n"
      "  3  the position file or the output file could not be used\n";

void defineOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{"h", "help"}, QStringLiteral("Show this help and exit.")});
    parser.addOption({{"v", "version"}, QStringLiteral("Show the version and exit.")});
    for (const OptionEntry &entry : kOptions) {
        QCommandLineOption option(
            QString::fromLatin1(entry.name), QString::fromUtf8(entry.description));
        if (entry.valueName)
            option.setValueName(QString::fromLatin1(entry.valueName));
        parser.addOption(option);
    }
}

// The first error in the order of the table; the values of one option in
// the order given.
QString applyOptions(const QCommandLineParser &parser, ChartCommandOptions &options)
{
    for (const OptionEntry &entry : kOptions) {
        const QString name = QString::fromLatin1(entry.name);
        const QStringList values
            = entry.valueName ? parser.values(name) : QStringList(parser.isSet(name) ? 1 : 0, {});
        for (const QString &value : values)
            if (QString error = entry.apply(value, options); !error.isEmpty())
                return error;
    }
    return {};
}

QByteArray jsonLine(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

// What the position file options did, as the lines they print.
QByteArray storeText(const StoreCommandResult &steps)
{
    QByteArray text;
    for (const NameEntry &entry : steps.listed)
        text += QStringLiteral("%1\t%2\n").arg(entry.id).arg(entry.name).toUtf8();
    for (const QString &message : steps.messages)
        text += message.toUtf8() + '\n';
    return text;
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

} // namespace

QString chartCommandUsage()
{
    QCommandLineParser parser;
    defineOptions(parser);
    // The parser's own usage line names the running program, which a test is not.
    QString help = parser.helpText();
    help.remove(0, help.indexOf(u'\n') + 1);
    return QStringLiteral("Usage: velmora-chart [options]\n") + QString::fromUtf8(kDescription)
        + help + u'\n' + QString::fromUtf8(kExitStatus);
}

QString chartCommandVersion()
{
    return QStringLiteral("velmora-chart " VELMORA_VERSION "\n");
}

ParsedChartArguments parseChartArguments(const QStringList &arguments)
{
    ParsedChartArguments parsed;
    QCommandLineParser parser;
    defineOptions(parser);
    // The parser reads the first argument as the program's name.
    if (!parser.parse(QStringList {QStringLiteral("velmora-chart")} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        // Qt's own texts end with a full stop; the line gets a remark after it.
        parsed.error = unknown.isEmpty()
            ? parser.errorText().chopped(parser.errorText().endsWith(u'.') ? 1 : 0)
            : QStringLiteral("unknown option '%1%2'")
                  .arg(unknown.first().size() > 1 ? "--" : "-", unknown.first());
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty()) {
        parsed.error
            = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        return parsed;
    }
    parsed.options.help = parser.isSet(QStringLiteral("help"));
    parsed.options.version = parser.isSet(QStringLiteral("version"));
    parsed.error = applyOptions(parser, parsed.options);
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
    if (options.help || options.version) {
        output.standardOutput
            = (options.help ? chartCommandUsage() : chartCommandVersion()).toUtf8();
        return output;
    }

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
