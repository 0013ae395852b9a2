#include "ui/TableExport.h"

#include "ui/ProgramSettings.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QSaveFile>

namespace velmora
{

void copyTable(const TableRows &rows)
{
    QGuiApplication::clipboard()->setText(tabSeparated(rows));
}

QString writeTableCsv(const TableRows &rows, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)
        || file.write(commaSeparated(rows).toUtf8()) < 0 || !file.commit())
        return QStringLiteral("The table could not be written to %1: %2")
            .arg(fileName, file.errorString());
    return {};
}

QString exportTable(const TableRows &rows, QWidget *parent, const QString &suggestedName)
{
    QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Export Table"),
        QDir(exportFolder()).filePath(suggestedName), QStringLiteral("CSV files (*.csv)"));
    if (name.isEmpty())
        return {};
    if (!name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        name += QStringLiteral(".csv");
    rememberExportFolder(name);
    return writeTableCsv(rows, name);
}

} // namespace velmora
