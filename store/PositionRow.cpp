#include "store/PositionRow.h"

namespace velmora
{

const QStringList &positionColumns()
{
    static const QStringList columns = {
        QStringLiteral("lSmb"),
        QStringLiteral("rSmb"),
        QStringLiteral("stoP"),
        QStringLiteral("shr"),
        QStringLiteral("cSym1"),
        QStringLiteral("cSym2"),
        QStringLiteral("cSym3"),
        QStringLiteral("strP1"),
        QStringLiteral("strP2"),
        QStringLiteral("strP3"),
        QStringLiteral("cp1"),
        QStringLiteral("cp2"),
        QStringLiteral("cp3"),
        QStringLiteral("cts1"),
        QStringLiteral("cts2"),
        QStringLiteral("cts3"),
        QStringLiteral("ctsRo"),
        QStringLiteral("tcts1"),
        QStringLiteral("tcts2"),
    };
    return columns;
}

std::optional<QString> canonicalColumn(QStringView name)
{
    for (const QString &column : positionColumns()) {
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            return column;
    }
    return std::nullopt;
}

std::optional<QString> PositionRow::value(QStringView column) const
{
    for (const ColumnValue &entry : values) {
        if (column.compare(entry.column, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

} // namespace velmora
