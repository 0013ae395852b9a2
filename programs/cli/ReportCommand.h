#pragma once
// velmora-chart --report FILE.pdf: one page per position (ui/output/ReportPage.h)
// in one PDF. The positions are the one typed with --strategy and --set, the
// saved ones named by --open (in the order given) or every saved position of
// a strategy (--open-all N, by name); --set applies to each opened one. A
// position that View Graph or the analysis refuses gets a page stating the
// refusal, the run goes on, and it ends with exit status 1 naming them. The
// file is checked before any work and replaced only by a complete report.

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora
{

class Session;
class ScriptedMessageBoxes;
struct ChartCommandOptions;
struct ChartCommandOutput;

struct ReportOptions {
    QString file; // empty: no report
    QStringList openNames; // every --open, in order
    std::optional<int> openAll; // --open-all N

    bool wanted() const { return !file.isEmpty(); }
};

QString applyReportOption(const QString &value, ReportOptions &options);
QString applyOpenAllOption(const QString &value, ReportOptions &options);
// What the report options need of the others: a usage error line, or empty.
QString checkReportOptions(const ChartCommandOptions &options);

// Runs the report on the session; the store's messages go to `boxes`.
ChartCommandOutput runReportCommand(
    Session &session, ScriptedMessageBoxes &boxes, const ChartCommandOptions &options);

} // namespace velmora
