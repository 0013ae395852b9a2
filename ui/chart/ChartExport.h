#pragma once
// The chart into a file: PNG, SVG or PDF, chosen by the file name's ending
// (case does not matter). Images and SVG have the chart's screen size in
// screen colours; a PDF is a landscape page in print colours, like paper.

#include "ui/chart/ChartFileFormat.h"

#include <QString>

namespace velmora
{

class ChartSurface;

// Filter for a file dialog offering the three formats.
QString chartFileFilter();

// The name chosen in a file dialog, with the ending of the chosen filter
// added when it ends in none of the three.
QString chartFileName(const QString &fileName, const QString &nameFilter);

// The name an export suggests: "<symbol> <strategy>.pdf" ("IBM Covered
// Calls.pdf"), without the characters a file name cannot hold.
QString suggestedChartFile(const QString &symbol, const QString &strategyName);

// Writes the chart; returns an error text, empty when the file was written.
// An existing file is only replaced when the new one is complete.
QString exportChart(const ChartSurface &surface, const QString &fileName);

} // namespace velmora
