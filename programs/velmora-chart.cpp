// velmora-chart: the program's View Graph from the command line, for scripts;
// see chartCommandUsage() for the options. It runs on a Session, the state the
// desktop window mirrors, and needs no window: Qt Core alone, or Qt's
// graphics on the offscreen platform when a chart file is written.

#include "programs/cli/ChartCommand.h"
#include "session/Session.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace
{

using namespace velmora;

// The offscreen platform's remarks on what it cannot do are no news to a
// script reading standard error; everything else passes through.
QtMessageHandler g_defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type < QtCriticalMsg
        && (message.startsWith(u"This plugin does not support")
            || message.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (g_defaultHandler)
        g_defaultHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

std::unique_ptr<QCoreApplication> application(
    int &argc, char **argv, const ChartCommandOptions &options)
{
    if (!writesFile(options))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedChartArguments parsed = parseChartArguments(arguments);
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "velmora-chart: %s (see --help)\n", qPrintable(parsed.error));
        return ExitCode::Usage;
    }

    const auto app = application(argc, argv, parsed.options);
    Session session;
    ScriptedMessageBoxes boxes;
    const ChartCommandOutput output = runChartCommand(session, boxes, parsed.options);
    std::fwrite(output.standardOutput.constData(), 1, size_t(output.standardOutput.size()), stdout);
    if (!output.errorLine.isEmpty())
        std::fprintf(stderr, "velmora-chart: %s\n", qPrintable(output.errorLine));
    return output.exitCode;
}
