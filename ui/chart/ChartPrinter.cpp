#include "ui/chart/ChartPrinter.h"

#include "ui/output/ChartPage.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>

namespace velmora
{

namespace
{

QString printOn(QPrinter &printer, const ChartSurface &surface)
{
    const QString reason = printer.isValid() ? paintChartPage(printer, surface)
                                             : QStringLiteral("no printer is available");
    return reason.isEmpty() ? reason : QStringLiteral("The chart could not be printed: ") + reason;
}

void setUpForTheChart(QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
}

} // namespace

ChartPaper::ChartPaper()
{
    setUpForTheChart(m_printer);
}

bool ChartPaper::ask(QWidget *parent)
{
    QPrintDialog dialog(&m_printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString ChartPaper::print(const ChartSurface &surface)
{
    return printOn(m_printer, surface);
}

void previewChart(const ChartSurface &surface, QWidget *parent)
{
    const ChartSurface paper = inPrintColours(surface);
    QPrinter printer(QPrinter::HighResolution);
    setUpForTheChart(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [&paper](QPrinter *target) { printOn(*target, paper); });
    dialog.exec();
}

} // namespace velmora
