#include "ui/ProgramSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora
{

namespace
{

const QString kExportFolderKey = QStringLiteral("export/folder");

} // namespace

QSettings programSettings()
{
    return QSettings(QStringLiteral("velmora"), QStringLiteral("velmora"));
}

QVariant storedSetting(const QString &key, const QVariant &fallback)
{
    const QSettings settings = programSettings();
    if (settings.contains(key))
        return settings.value(key);
    const QSettings earlier(QStringLiteral("Velmora"), QStringLiteral("Velmora"));
    return earlier.value(key, fallback);
}

QString exportFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return programSettings()
        .value(kExportFolderKey, QDir(documents).exists() ? documents : QDir::homePath())
        .toString();
}

void rememberExportFolder(const QString &file)
{
    programSettings().setValue(kExportFolderKey, QFileInfo(file).absolutePath());
}

} // namespace velmora
