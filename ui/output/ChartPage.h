#pragma once
// The chart on a page: a PDF file, a printer and the print preview all get
// the same landscape page, in print colours, with the chart scaled to the
// printable area.

#include "chart/ChartSurface.h"

#include <QString>

class QPagedPaintDevice;

namespace velmora
{

// Turns the page to landscape and paints the chart over the printable area,
// keeping its proportions. Returns the reason of a failure, empty when the
// page was painted.
QString paintChartPage(QPagedPaintDevice &device, const ChartSurface &surface);

// A copy of the chart in print colours, black on white, as on paper.
ChartSurface inPrintColours(const ChartSurface &surface);

} // namespace velmora
