#include "programs/cli/ReportCommand.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "programs/cli/ChartCommand.h"
#include "session/PositionReports.h"
#include "session/Session.h"
#include "store/DatabaseLocation.h"
#include "store/PositionStore.h"
#include "strategies/PositionReport.h"
#include "ui/output/ReportPage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>

namespace velmora
{

namespace
{

// The names to open, in the order of the pages; nothing for the position
// typed on the command line. An error line when the file cannot be listed.
QString namesToOpen(const ChartCommandOptions &options, QStringList &names, int &exitCode)
{
    names = options.report.openNames;
    if (!options.report.openAll)
        return {};
    if (!options.store.databaseFile.isEmpty())
        setDatabasePath(options.store.databaseFile);
    try {
        for (const NameEntry &entry : PositionStore(databasePath()).names(*options.report.openAll))
            names << entry.name;
    } catch (const DatabaseError &error) {
        exitCode = ExitCode::Unusable;
        return error.text();
    }
    std::sort(names.begin(), names.end(),
        [](const QString &a, const QString &b) { return QString::localeAwareCompare(a, b) < 0; });
    return {};
}

QByteArray jsonSummary(
    const QString &file, const QStringList &names, const std::vector<PositionReport> &reports)
{
    QJsonArray list;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        QJsonObject item {
            {"name", names[qsizetype(i)]}, {"result", reports[i].refusal ? "refused" : "chart"}};
        if (reports[i].refusal)
            item["message"] = *reports[i].refusal;
        list.append(item);
    }
    return QJsonDocument(QJsonObject {{"report", file}, {"pages", list}})
               .toJson(QJsonDocument::Compact)
        + '\n';
}

} // namespace

QString applyReportOption(const QString &value, ReportOptions &options)
{
    if (!value.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return QStringLiteral("--report writes a PDF file: its name ends with .pdf, not '%1'")
            .arg(value);
    options.file = value;
    return {};
}

QString applyOpenAllOption(const QString &value, ReportOptions &options)
{
    return applyStrategyIndex(QStringLiteral("--open-all"), value, options.openAll);
}

QString checkReportOptions(const ChartCommandOptions &options)
{
    const ReportOptions &report = options.report;
    if (!report.wanted()) {
        if (report.openNames.size() > 1)
            return QStringLiteral("--open may be given once (several with --report)");
        if (report.openAll)
            return QStringLiteral("--open-all needs --report");
        return {};
    }
    if (report.openAll && !report.openNames.isEmpty())
        return QStringLiteral("--open-all and --open do not go together");
    if (!options.store.saveNames.isEmpty() || options.store.listStrategy)
        return QStringLiteral("--report takes no --save or --list");
    return {};
}

ChartCommandOutput runReportCommand(
    Session &session, ScriptedMessageBoxes &boxes, const ChartCommandOptions &options)
{
    ChartCommandOutput output;
    // Refused before any work: a file that cannot be written. The report is
    // written beside it and takes its place only when complete.
    QSaveFile file(options.report.file);
    if (!file.open(QIODevice::WriteOnly))
        return {ExitCode::Unusable, {},
            QStringLiteral("cannot write the report %1: %2")
                .arg(options.report.file, file.errorString())};

    QStringList names;
    int listed = ExitCode::Done;
    if (const QString error = namesToOpen(options, names, listed); !error.isEmpty())
        return {listed, {}, error};
    if (options.report.openAll && names.isEmpty())
        return {ExitCode::Refused, {},
            QStringLiteral("no saved position of strategy %1: nothing to report")
                .arg(*options.report.openAll)};

    Workspace &ws = session.workspace();
    const QDate today = QDate::currentDate();
    const InputsFor inputsFor
        = [&options](const Legs &legs) { return analysisInputs(options.analysis, legs); };
    // One page per name, or one for the position typed.
    QStringList pageNames;
    std::vector<PositionReport> reports;
    const auto typed = [&] {
        if (options.strategy)
            ws.setStrategy(*options.strategy);
        applySettings(ws, options.settings);
    };
    if (names.isEmpty()) {
        typed();
        reports.push_back(sessionReport(session, inputsFor, today));
        pageNames << reports.back().summary;
    }
    for (const QString &name : names) {
        StoreCommandOptions opening;
        opening.databaseFile = options.store.databaseFile;
        opening.openName = name;
        StoreCommand store(opening, ws, session.openSave(), boxes);
        const StoreCommandResult opened = store.beforeSettings();
        if (opened.exitCode == ExitCode::Unusable)
            return {opened.exitCode, {}, opened.errorLine};
        pageNames << name;
        if (!opened.opened) {
            PositionReport notOpened;
            notOpened.heading = name;
            notOpened.written = today;
            notOpened.refusal = opened.errorLine;
            reports.push_back(std::move(notOpened));
            continue;
        }
        typed();
        reports.push_back(sessionReport(session, inputsFor, today));
    }

    if (const QString error = writeReportPdf(reports, file); !error.isEmpty())
        return {ExitCode::Unusable, {}, error};
    if (options.json)
        output.standardOutput = jsonSummary(options.report.file, pageNames, reports);
    QStringList refused;
    for (std::size_t i = 0; i < reports.size(); ++i)
        if (reports[i].refusal)
            refused << pageNames[qsizetype(i)];
    if (!refused.isEmpty()) {
        output.exitCode = ExitCode::Refused;
        output.errorLine
            = QStringLiteral("refused, a page says why: ") + refused.join(QStringLiteral("; "));
    }
    return output;
}

} // namespace velmora
