// The windowed part of velmora-chart (see ChartWindowModule.h). It runs the
// real main window on Qt's offscreen platform, so it needs no display.

#include "programs/ChartWindowModule.h"

#include "core/Message.h"
#include "ui/MainWindow.h"
#include "ui/ProgramStyle.h"

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

extern "C" Q_DECL_EXPORT void velmoraChartWindow(int &argc, char **argv,
    const velmora::ChartCommandOptions &options, velmora::ChartCommandOutput &output)
{
    using namespace velmora;
    static_assert(std::is_same_v<decltype(&velmoraChartWindow), ChartWindowEntry>);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    useProgramStyle(app);

    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    // Nobody looks at this window: shown for its focus rules, never painted.
    // Files are drawn by the chart painter on their own.
    window.setUpdatesEnabled(false);

    output = runChartCommand(window, boxes, options);
    // Hidden first, so no focus change reaches the fields while they go.
    window.hide();
}
