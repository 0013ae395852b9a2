#include "ui/chart/ChartFileFormat.h"

#include <QFileInfo>

namespace velmora
{

std::optional<ChartFileFormat> chartFileFormat(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ChartFileFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ChartFileFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return ChartFileFormat::Pdf;
    return std::nullopt;
}

} // namespace velmora
