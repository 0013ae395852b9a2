#pragma once
// The chart file formats, told by the file name's ending (case does not
// matter), and the names the export dialogs offer. Apart from the writers so
// that reading the command line and choosing a file need no graphics library.

#include <QString>

#include <optional>

namespace velmora
{

enum class ChartFileFormat { Png, Svg, Pdf };

std::optional<ChartFileFormat> chartFileFormat(const QString &fileName);

// Filter for a file dialog offering the three formats.
QString chartFileFilter();

// The name chosen in a file dialog, with the ending of the chosen filter
// added when it ends in none of the three.
QString chartFileName(const QString &fileName, const QString &nameFilter);

// The name an export suggests: "<symbol> <strategy>.pdf" ("IBM Covered
// Calls.pdf"), without the characters a file name cannot hold.
QString suggestedChartFile(const QString &symbol, const QString &strategyName);

} // namespace velmora
