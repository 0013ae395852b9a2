#pragma once
// Message boxes on screen: the style value picks the icon and the buttons.

#include "core/Message.h"

#include <QPointer>
#include <QWidget>

namespace velmora
{

class QtMessageBoxes final : public MessageBoxes
{
public:
    // Boxes are centred on the modal window in front, otherwise on this one.
    void setWindow(QWidget *window) { m_window = window; }
    Answer show(const Message &message) override;

private:
    QPointer<QWidget> m_window;
};

} // namespace velmora
