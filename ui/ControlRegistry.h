#pragma once
// Every named control of the main window, found by its control name
// ("Text4(2)", "cmbRatio", "fraCovered"); the name is also its objectName.

#include "core/ControlId.h"

#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QWidget>

#include <optional>

namespace velmora
{

class ControlRegistry
{
public:
    // Names the widget after the control and keeps it.
    void add(const ControlId &id, QWidget *widget);

    QWidget *control(const ControlId &id) const { return m_controls.value(id); }
    QLineEdit *field(const ControlId &id) const { return qobject_cast<QLineEdit *>(control(id)); }
    QComboBox *list(const QString &name) const
    {
        return qobject_cast<QComboBox *>(control({name, -1}));
    }
    // The control a widget stands for, if it is one of ours.
    std::optional<ControlId> idOf(const QWidget *widget) const;

private:
    QHash<ControlId, QWidget *> m_controls;
};

} // namespace velmora
