#pragma once
// Every named control of the main window, found by its control name
// ("Text4(2)", "cmbRatio", "fraCovered"); the name is also its objectName.
// A control not made yet is made on its first look-up, by the maker.

#include "core/ControlId.h"

#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <optional>

namespace velmora
{

class ControlRegistry
{
public:
    // Names the widget after the control and keeps it.
    void add(const ControlId &id, QWidget *widget);

    // Called with a name not known yet; it may add the control.
    void setMaker(std::function<void(const ControlId &)> maker) { m_maker = std::move(maker); }

    QWidget *control(const ControlId &id) const;
    // Only a control made already.
    QWidget *made(const ControlId &id) const { return m_controls.value(id); }
    QLineEdit *field(const ControlId &id) const { return qobject_cast<QLineEdit *>(control(id)); }
    QComboBox *list(const QString &name) const
    {
        return qobject_cast<QComboBox *>(control({name, -1}));
    }
    // The control a widget stands for, if it is one of ours.
    std::optional<ControlId> idOf(const QWidget *widget) const;

private:
    QHash<ControlId, QWidget *> m_controls;
    std::function<void(const ControlId &)> m_maker;
};

} // namespace velmora
