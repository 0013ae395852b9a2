#include "ui/ControlRegistry.h"

namespace velmora
{

void ControlRegistry::add(const ControlId &id, QWidget *widget)
{
    widget->setObjectName(id.toString());
    m_controls.insert(id, widget);
}

QWidget *ControlRegistry::control(const ControlId &id) const
{
    if (QWidget *known = m_controls.value(id))
        return known;
    if (m_maker)
        m_maker(id);
    return m_controls.value(id);
}

std::optional<ControlId> ControlRegistry::idOf(const QWidget *widget) const
{
    if (!widget)
        return std::nullopt;
    const std::optional<ControlId> id = ControlId::parse(widget->objectName());
    if (id && m_controls.value(*id) == widget)
        return id;
    return std::nullopt;
}

} // namespace velmora
