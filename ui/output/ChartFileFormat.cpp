#include "ui/output/ChartFileFormat.h"

#include <QFileInfo>
#include <QRegularExpression>

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

QString chartFileFilter()
{
    return QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");
}

QString chartFileName(const QString &fileName, const QString &nameFilter)
{
    if (chartFileFormat(fileName))
        return fileName;
    static const QRegularExpression ending(
        QStringLiteral(R"(\*\.(png|svg|pdf)\b)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = ending.match(nameFilter);
    return match.hasMatch() ? fileName + QLatin1Char('.') + match.captured(1).toLower() : fileName;
}

QString suggestedChartFile(const QString &symbol, const QString &strategyName)
{
    static const QRegularExpression notInNames(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f])"));
    QString name = symbol.trimmed() + u' ' + strategyName;
    return name.remove(notInNames).trimmed() + QStringLiteral(".pdf");
}

} // namespace velmora
