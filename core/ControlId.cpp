#include "core/ControlId.h"

#include <QRegularExpression>

namespace velmora
{

QString ControlId::toString() const
{
    return isArrayElement() ? QStringLiteral("%1(%2)").arg(name).arg(index) : name;
}

std::optional<ControlId> ControlId::parse(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*(?:\(\s*(\d{1,3})\s*\))?\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    ControlId id {match.captured(1), -1};
    if (match.hasCaptured(2))
        id.index = match.captured(2).toInt();
    return id;
}

} // namespace velmora
