#pragma once
// velmora-chart: one View Graph request without a screen. The arguments pick
// a strategy and type field texts into a Session, as the window's fields do;
// its View Graph runs once, and the outcome is reported as JSON and/or
// written to an image, SVG or PDF file.
//
// Parsing needs no application object, so a usage error is reported before
// anything else runs; the store's messages go to scripted message boxes, so
// they can be read back.

#include "core/Message.h"
#include "programs/cli/AnalysisCommand.h"
#include "programs/cli/ReportCommand.h"
#include "programs/cli/StoreCommand.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmora
{

class Session;

// The two lists --set can choose an entry of.
inline const QString kRatioList = QStringLiteral("cmbRatio");
inline const QString kRatioSpreadList = QStringLiteral("cmbratioCallSpreads");
bool isRatioList(const ControlId &id);

struct FieldSetting {
    ControlId control; // a text box, cmbRatio or cmbratioCallSpreads
    QString text;
};

struct ChartCommandOptions {
    bool help = false;
    bool version = false;
    std::optional<int> strategy; // list index; -1 selects nothing
    std::vector<FieldSetting> settings;
    bool json = false;
    bool printColours = false; // draw black on white, as on paper
    QString outFile;
    StoreCommandOptions store; // --db, --list, --open, --save
    AnalysisOptions analysis; // --analysis and its inputs
    ReportOptions report; // --report, with every --open and --open-all
};

struct ParsedChartArguments {
    ChartCommandOptions options;
    QString error; // one line; empty when the arguments are sound
};

// The arguments after the program name.
ParsedChartArguments parseChartArguments(const QStringList &arguments);
QString chartCommandUsage();
// "velmora-chart 0.9" and a line end.
QString chartCommandVersion();

struct ChartCommandOutput {
    int exitCode = ExitCode::Done;
    QByteArray standardOutput;
    QString errorLine; // for standard error; empty when there is nothing to say
};

// Types the --set texts and chooses the --set ratios, in order.
void applySettings(Workspace &ws, const std::vector<FieldSetting> &settings);

// What the position file options did, as the lines they print.
QByteArray storeText(const StoreCommandResult &steps);

// True when the run writes a chart file, which needs Qt's graphics.
bool writesFile(const ChartCommandOptions &options);

// Applies the options to the session, runs View Graph and reports. The
// store's messages go to `boxes`.
ChartCommandOutput runChartCommand(
    Session &session, ScriptedMessageBoxes &boxes, const ChartCommandOptions &options);

// The JSON report of the session after a request; with the last View
// Graph's message when `refused`.
QJsonObject chartReport(const Session &session, const QString &result, bool refused);

} // namespace velmora
