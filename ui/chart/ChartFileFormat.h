#pragma once
// The chart file formats, told by the file name's ending (case does not
// matter). Apart from the writers so that reading the command line needs no
// graphics library.

#include <QString>

#include <optional>

namespace velmora
{

enum class ChartFileFormat { Png, Svg, Pdf };

std::optional<ChartFileFormat> chartFileFormat(const QString &fileName);

} // namespace velmora
