#include "ui/output/ChartPrinter.h"

#include "ui/chart/ChartPainter.h"
#include "ui/chart/PrintJob.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace velmora
{

QString paintChartPage(QPagedPaintDevice &device, const ChartSurface &surface)
{
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("the printer did not start");
    // The painter's origin is the top-left corner of the printable area and
    // the device's size is that area in device pixels.
    paintChart(painter, surface, QRectF(0, 0, device.width(), device.height()));
    if (!painter.end())
        return QStringLiteral("the printer reported an error");
    return {};
}

void prepareChartPrinter(QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
}

QString printChart(QPrinter &printer, const ChartSurface &surface)
{
    const QString reason = printer.isValid() ? paintChartPage(printer, surface)
                                             : QStringLiteral("no printer is available");
    return reason.isEmpty() ? reason : QStringLiteral("The chart could not be printed: ") + reason;
}

bool askChartPrinter(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void previewChart(const ChartSurface &surface, QWidget *parent)
{
    const ChartSurface paper = inPrintColours(surface);
    QPrinter printer(QPrinter::HighResolution);
    prepareChartPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [&paper](QPrinter *target) { printChart(*target, paper); });
    dialog.exec();
}

} // namespace velmora
