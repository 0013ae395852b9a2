// Reading velmora-chart's arguments, and the listing that needs no window:
// nothing here uses a graphics library, so the program can start without
// one when only names are asked for.

#include "programs/cli/ChartCommand.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "store/PositionName.h"
#include "ui/output/ChartFileFormat.h"

#include <QCommandLineParser>
#include <QLocale>

#include <algorithm>
#include <charconv>

namespace velmora
{

namespace
{

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

enum class AnalysisInput { Rate, Dividend, Days, StockPrice };

// Stores the value; an error text when it is not a number.
QString applyAnalysisOption(AnalysisInput input, const QString &value, AnalysisOptions &o)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(value, &ok);
    if (!ok)
        return QStringLiteral("the analysis inputs are numbers, not '%1'").arg(value);
    AnalysisInputs &in = o.inputs;
    switch (input) {
    case AnalysisInput::Rate:
        in.ratePercent = number;
        break;
    case AnalysisInput::Dividend:
        in.dividendPercent = number;
        break;
    case AnalysisInput::Days:
        in.days = number;
        break;
    case AnalysisInput::StockPrice:
        in.stockPrice = number;
        break;
    }
    return {};
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
    {"open", "NAME",
        "Open the saved position NAME as File > open does (before --set); with --report it may "
        "be repeated, one page per position in the order given.",
        [](const QString &v, ChartCommandOptions &o) {
            o.report.openNames << v;
            return o.report.openNames.size() == 1 ? applyOpenOption(v, o.store) : QString();
        }},
    {"save", "NAME",
        "Save the position as File > Save does and print its message (after --open and --set; "
        "may be repeated).",
        [](const QString &v, ChartCommandOptions &o) { return applySaveOption(v, o.store); }},
    {"analysis", nullptr,
        "After the chart, analyse the position to true scale: --json adds its legs, figures, "
        "greeks, curves at 201 prices and the P/L grid (its prices, dates and the profit/loss "
        "at each); --out writes the analysis chart instead.",
        [](const QString &, ChartCommandOptions &o) {
            o.analysis.enabled = true;
            return QString();
        }},
    {"volatility", "implied|PERCENT",
        "Volatility for --analysis: 'implied' (the default) takes each call's from its "
        "premium, and 30 % where a premium gives none; a number, % a year, is used for every "
        "call.",
        [](const QString &v, ChartCommandOptions &o) {
            return applyVolatilityOption(v, o.analysis);
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
        "Today's stock price for --analysis (the position's). The spreads have none: without "
        "it only the figures at expiration are given.",
        [](const QString &v, ChartCommandOptions &o) {
            return applyAnalysisOption(AnalysisInput::StockPrice, v, o.analysis);
        }},
    {"report", "FILE",
        "Write the one-page report of the position (title, legs, analysis inputs, figures, the "
        "chart with its value table, the analysis chart and the P/L grid) as a PDF FILE; one "
        "page per position with several --open or --open-all. A refused position gets a page "
        "saying why and the exit status 1.",
        [](const QString &v, ChartCommandOptions &o) { return applyReportOption(v, o.report); }},
    {"open-all", "N", "With --report: every saved position of strategy N, by name.",
        [](const QString &v, ChartCommandOptions &o) { return applyOpenAllOption(v, o.report); }},
};

const char kDescription[]
    = "Runs View Graph once, as the program's main window does, without any window. With\n"
      "only --db, --list, --save or a bare --open no chart is drawn.\n";

const char kExitStatus[]
    = "Exit status:\n"
      "  0  a chart was drawn, or only position file options were given\n"
      "  1  the request or the position file refused: a check failed, a name is in use,\n"
      "     blank or not found, no strategy is selected, or an analysis was refused or\n"
      "     asked of no position\n"
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

} // namespace

bool isRatioList(const ControlId &id)
{
    return !id.isArrayElement() && (id.name == kRatioList || id.name == kRatioSpreadList);
}

QByteArray storeText(const StoreCommandResult &steps)
{
    QByteArray text;
    // Put together piece by piece: a listing may hold tens of thousands of names.
    text.reserve(qsizetype(steps.listed.size()) * 32);
    // One name a line, whatever an earlier version let a name hold.
    for (const NameEntry &entry : steps.listed) {
        char key[24];
        const char *keyEnd = std::to_chars(key, key + sizeof key, entry.id).ptr;
        text.append(key, keyEnd - key).append('\t');
        text.append(printableName(entry.name).toUtf8()).append('\n');
    }
    for (const QString &message : steps.messages)
        text += message.toUtf8() + '\n';
    return text;
}

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
    if (parsed.error.isEmpty())
        parsed.error = checkReportOptions(parsed.options);
    return parsed;
}

bool writesFile(const ChartCommandOptions &options)
{
    return !options.help && !options.version
        && (!options.outFile.isEmpty() || options.report.wanted());
}

} // namespace velmora
