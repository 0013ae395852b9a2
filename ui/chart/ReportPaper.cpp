#include "ui/chart/ReportPaper.h"

#include "ui/ProgramSettings.h"
#include "ui/output/ReportPage.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

namespace velmora
{

namespace
{

QString printOn(QPrinter &printer, const PositionReport &report)
{
    const QString reason = printer.isValid() ? paintReportPages(printer, {report})
                                             : QStringLiteral("no printer is available");
    return reason.isEmpty() ? reason : QStringLiteral("The report could not be printed: ") + reason;
}

} // namespace

QString exportReport(
    const std::vector<PositionReport> &reports, const QString &name, QWidget *parent)
{
    QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Export Report"),
        QDir(exportFolder()).filePath(name + QStringLiteral(".pdf")),
        QStringLiteral("PDF document (*.pdf)"));
    if (file.isEmpty())
        return {};
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    rememberExportFolder(file);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("The report could not be written to %1: %2")
            .arg(file, out.errorString());
    return writeReportPdf(reports, out);
}

QString printReport(const PositionReport &report, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return printOn(printer, report);
}

void previewReport(const PositionReport &report, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [&report](QPrinter *target) { printOn(*target, report); });
    dialog.exec();
}

} // namespace velmora
