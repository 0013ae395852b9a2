#include "store/DatabaseLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora
{

namespace
{

const QString kFileName = QStringLiteral("CH.mdb");
const QString kDataFolder = QStringLiteral("velmora");

QString &chosenPath()
{
    static QString path;
    return path;
}

} // namespace

QString defaultDatabasePath()
{
    return defaultDatabasePath(QCoreApplication::applicationDirPath());
}

QString defaultDatabasePath(const QString &programDir)
{
    // The folder decides, not the file: a read-only CH.mdb beside the program
    // is still the user's file, and saving into it says it is read-only
    // rather than quietly starting an empty file elsewhere.
    // An installed program (in a bin folder) never keeps positions beside
    // itself, even where it could write there (root, a prefix the user owns).
    const bool installed = QDir(programDir).dirName() == u"bin";
    if (!programDir.isEmpty() && !installed && QFileInfo(programDir).isWritable())
        return QDir(programDir).absoluteFilePath(kFileName);
    // Named here, not after the running program, so velmora and velmora-chart
    // keep their positions in the same file.
    const QString dataDir
        = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
              .filePath(kDataFolder);
    QDir().mkpath(dataDir);
    return QDir(dataDir).filePath(kFileName);
}

QString databasePath()
{
    return chosenPath().isEmpty() ? defaultDatabasePath() : chosenPath();
}

void setDatabasePath(const QString &file)
{
    chosenPath() = file;
}

} // namespace velmora
