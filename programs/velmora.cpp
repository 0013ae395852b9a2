#include "programs/cli/ExitCode.h"
#include "ui/FirstPaint.h"
#include "ui/MainWindow.h"
#include "ui/ProgramStyle.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>

namespace
{

void defineOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Charts the profit and loss at expiration of five call-option strategies."));
    parser.addOption({{"h", "help"}, QStringLiteral("Show this help and exit.")});
    parser.addOption({{"v", "version"}, QStringLiteral("Show the version and exit.")});
}

void print(const QString &text)
{
    std::fputs(qPrintable(text), stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and version first, before any window system is needed; Qt's own
    // options (-platform, -style, ...) are still unknown here.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser early;
    defineOptions(early);
    early.parse(arguments);
    if (early.isSet(QStringLiteral("version"))) {
        print(QStringLiteral("velmora " VELMORA_VERSION "\n"));
        return velmora::ExitCode::Done;
    }
    if (early.isSet(QStringLiteral("help"))) {
        QString help = early.helpText();
        help.replace(0, help.indexOf(u'\n'), QStringLiteral("Usage: velmora [options]"));
        print(help);
        return velmora::ExitCode::Done;
    }

    QApplication app(argc, argv);
    velmora::useProgramStyle(app);
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
    QCommandLineParser parser;
    defineOptions(parser);
    if (!parser.parse(QApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        QString error = parser.errorText();
        if (error.isEmpty())
            error = QStringLiteral("unexpected argument '%1'")
                        .arg(parser.positionalArguments().first());
        if (error.endsWith(u'.'))
            error.chop(1);
        std::fprintf(stderr, "velmora: %s (see --help)\n", qPrintable(error));
        return velmora::ExitCode::Usage;
    }
    velmora::QtMessageBoxes messages;
    velmora::MainWindow window(messages);
    messages.setWindow(&window);
    // Reading the icon's file makes Qt load every image-format plugin: that
    // waits until the window is on the screen.
    velmora::afterFirstPaint(window, [] {
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.velmora.Velmora")));
    });
    velmora::exitAfterFirstPaintIfAsked(app);
    window.show();
    return app.exec();
}
