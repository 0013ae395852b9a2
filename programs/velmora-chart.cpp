// velmora-chart: the program's View Graph from the command line, for scripts;
// see chartCommandUsage() for the options. Help, version and a listing of
// saved names need no window; everything else runs in the window module
// (ChartWindowModule.h).

#include "programs/ChartWindowModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

#include <dlfcn.h>

namespace
{

using namespace velmora;

int reported(const ChartCommandOutput &output)
{
    std::fwrite(output.standardOutput.constData(), 1, size_t(output.standardOutput.size()), stdout);
    if (!output.errorLine.isEmpty())
        std::fprintf(stderr, "velmora-chart: %s\n", qPrintable(output.errorLine));
    return output.exitCode;
}

// The running program's file: from /proc, or where that is not mounted (a bare
// chroot) from the name it was started by, looked up in PATH as the shell did.
QString programFile(const char *argv0)
{
    if (const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
        !exe.isEmpty())
        return exe;
    const QString name = QFile::decodeName(argv0);
    const QString found = name.contains(u'/') ? name : QStandardPaths::findExecutable(name);
    return QFileInfo(found).canonicalFilePath();
}

// In the library folder beside the program's bin folder, where the build tree
// keeps it too.
void *loadWindowModule(const char *argv0, QString &error)
{
    const QDir programDir = QFileInfo(programFile(argv0)).dir();
    const QString module = QDir(programDir.filePath(QStringLiteral(VELMORA_MODULE_DIR_FROM_BIN)))
                               .filePath(QString::fromLatin1(kChartWindowModule));
    if (!QFileInfo::exists(module)) {
        error = QStringLiteral("%1 is missing").arg(QString::fromLatin1(kChartWindowModule));
        return nullptr;
    }
    if (void *handle = dlopen(QFile::encodeName(module).constData(), RTLD_NOW | RTLD_LOCAL))
        return handle;
    error = QString::fromLocal8Bit(dlerror());
    return nullptr;
}

ChartCommandOutput runInWindow(int &argc, char **argv, const ChartCommandOptions &options)
{
    QString error;
    void *handle = loadWindowModule(argv[0], error);
    const auto entry
        = handle ? reinterpret_cast<ChartWindowEntry>(dlsym(handle, kChartWindowEntry)) : nullptr;
    if (!entry)
        return {ExitCode::Unusable, {},
            QStringLiteral("cannot load the window module: %1")
                .arg(handle ? QString::fromLocal8Bit(dlerror()) : error)};
    ChartCommandOutput output;
    entry(argc, argv, options, output);
    // Not unloaded: Qt's libraries still run their exit handlers.
    return output;
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
    // Help and version need no window, so they work without any platform.
    if (parsed.options.help || parsed.options.version) {
        const QByteArray text
            = (parsed.options.help ? chartCommandUsage() : chartCommandVersion()).toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return ExitCode::Done;
    }

    if (listsOnly(parsed.options)) {
        QCoreApplication app(argc, argv);
        return reported(runListCommand(parsed.options));
    }
    return reported(runInWindow(argc, argv, parsed.options));
}
