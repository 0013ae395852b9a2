#pragma once
// Every message box of the main window goes through the gate. A box that a
// focus change raises is posted: it shows only once that change has finished
// and any mouse click in progress has been released, so the click still
// reaches its button and the box never pops up in the middle of a focus
// change. Boxes never overlap: a posted box waits for the one on screen.

#include "core/Message.h"

#include <QObject>

#include <deque>
#include <functional>

namespace velmora
{

class MessageGate : public QObject
{
    Q_OBJECT
public:
    explicit MessageGate(MessageBoxes &boxes, QObject *parent = nullptr);

    // Shows the box now and answers the button the user chose.
    Answer show(const Message &message);
    // Runs the task (which usually shows a box) after the current event, one
    // task at a time.
    void post(std::function<void()> task);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void schedule();
    void flush();

    MessageBoxes &m_boxes;
    std::deque<std::function<void()>> m_posted;
    int m_depth = 0;
    bool m_scheduled = false;
    bool m_waitingForRelease = false;
};

} // namespace velmora
