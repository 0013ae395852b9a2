// velmora-chart: the program's View Graph from the command line, for scripts.
// It runs the real main window on Qt's offscreen platform, so it needs no
// display; see chartCommandUsage() for the options.

#include "core/Message.h"
#include "programs/cli/ChartCommand.h"
#include "ui/MainWindow.h"

#include <QApplication>

#include <cstdio>

namespace
{

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

} // namespace

int main(int argc, char *argv[])
{
    using namespace velmora;

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedChartArguments parsed = parseChartArguments(arguments);
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "velmora-chart: %s (see --help)\n", qPrintable(parsed.error));
        return ExitCode::Usage;
    }
    // Help and version need no window, so they work without any platform.
    if (parsed.options.help || parsed.options.version) {
        const QByteArray text
            = (parsed.options.help ? chartCommandUsage() : chartCommandVersion()).toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return ExitCode::Done;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);

    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);

    const ChartCommandOutput output = runChartCommand(window, boxes, parsed.options);
    std::fwrite(output.standardOutput.constData(), 1, size_t(output.standardOutput.size()), stdout);
    if (!output.errorLine.isEmpty())
        std::fprintf(stderr, "velmora-chart: %s\n", qPrintable(output.errorLine));
    // Hidden first, so no focus change reaches the fields while they go.
    window.hide();
    return output.exitCode;
}
