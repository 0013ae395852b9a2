#pragma once
// The chart into a file: PNG, SVG or PDF, chosen by the file name's ending
// (case does not matter). Images and SVG have the chart's screen size in
// screen colours; a PDF is a landscape page in print colours, like paper.

#include <QString>

namespace velmora
{

class ChartSurface;

// Writes the chart; returns an error text, empty when the file was written.
// An existing file is only replaced when the new one is complete.
QString exportChart(const ChartSurface &surface, const QString &fileName);

} // namespace velmora
