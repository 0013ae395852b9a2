#include "ui/output/ChartExport.h"

#include "ui/output/ChartFileFormat.h"
#include "ui/output/ChartPage.h"
#include "ui/output/ChartPainter.h"
#include "ui/output/PngWriter.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace velmora
{

namespace
{

constexpr int kPdfResolution = 1200;
constexpr int kCssPixelsPerInch = 96;

QString cannotWrite(const QString &fileName, const QString &reason)
{
    return QStringLiteral("The chart could not be written to \"%1\": %2").arg(fileName, reason);
}

// The file as the screen shows it: the chart inside its border, in pixels.
QRect screenArea(const ChartSurface &surface)
{
    const QSize size = chartPixelSize(surface, true);
    return QRect(QPoint(0, 0), size);
}

QRectF chartArea(const QRect &screen)
{
    constexpr int b = ChartPixels::BorderPixels;
    return QRectF(screen).adjusted(b, b, -b, -b);
}

QString writePng(const ChartSurface &surface, QSaveFile &file)
{
    const QRect area = screenArea(surface);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(colourOf(surface.palette().background));
    {
        QPainter painter(&image);
        paintChart(painter, surface, chartArea(area));
    }
    return writePngImage(image, file);
}

QString writeSvg(const ChartSurface &surface, QSaveFile &file)
{
    const QRect area = screenArea(surface);
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(area.size());
    generator.setResolution(kCssPixelsPerInch); // so viewers show it at screen size
    generator.setViewBox(area);
    generator.setTitle(QStringLiteral("Profit/Loss at expiration"));
    QPainter painter;
    if (!painter.begin(&generator))
        return QStringLiteral("the SVG writer did not start");
    painter.fillRect(area, colourOf(surface.palette().background));
    paintChart(painter, surface, chartArea(area));
    painter.end();
    return {};
}

QString writePdf(const ChartSurface &surface, QSaveFile &file)
{
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Velmora"));
    writer.setTitle(QStringLiteral("Profit/Loss at expiration"));
    return paintChartPage(writer, inPrintColours(surface));
}

} // namespace

QString exportChart(const ChartSurface &surface, const QString &fileName)
{
    const std::optional<ChartFileFormat> format = chartFileFormat(fileName);
    if (!format)
        return cannotWrite(fileName, QStringLiteral("the name must end in .png, .svg or .pdf"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite(fileName, file.errorString());

    QString error;
    switch (*format) {
    case ChartFileFormat::Png:
        error = writePng(surface, file);
        break;
    case ChartFileFormat::Svg:
        error = writeSvg(surface, file);
        break;
    case ChartFileFormat::Pdf:
        error = writePdf(surface, file);
        break;
    }
    if (error.isEmpty() && file.error() != QFileDevice::NoError)
        error = file.errorString();
    if (!error.isEmpty()) {
        file.cancelWriting();
        return cannotWrite(fileName, error);
    }
    if (!file.commit())
        return cannotWrite(fileName, file.errorString());
    return {};
}

} // namespace velmora
