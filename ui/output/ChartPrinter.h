#pragma once
// The chart on paper: a printer, a PDF writer and the print preview all get
// the same landscape page with the chart scaled to the printable area.

#include "chart/ChartSurface.h"

#include <QString>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace velmora
{

// Turns the page to landscape and paints the chart over the printable area,
// keeping its proportions. Returns the reason of a failure, empty when the
// page was painted. Printers, the preview and exported PDF files all use it.
QString paintChartPage(QPagedPaintDevice &device, const ChartSurface &surface);

// Sets up a printer for the chart: landscape. Construct it with
// QPrinter::HighResolution.
void prepareChartPrinter(QPrinter &printer);

// Prints the chart on the printer (see paintChartPage); returns an error
// text, empty when it was printed.
QString printChart(QPrinter &printer, const ChartSurface &surface);

// Shows the print dialog for the printer; false when the user cancels.
bool askChartPrinter(QPrinter &printer, QWidget *parent);

// Shows the print preview of the chart as it comes on paper, in print
// colours; returns when the dialog closes. Printing from the preview goes
// through printChart.
void previewChart(const ChartSurface &surface, QWidget *parent);

} // namespace velmora
