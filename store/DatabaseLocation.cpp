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

QString &chosenPath()
{
    static QString path;
    return path;
}

} // namespace

QString defaultDatabasePath()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QFileInfo beside(QDir(programDir).filePath(kFileName));
    const bool usable = beside.exists() ? beside.isWritable() : QFileInfo(programDir).isWritable();
    if (!programDir.isEmpty() && usable)
        return beside.absoluteFilePath();
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
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
