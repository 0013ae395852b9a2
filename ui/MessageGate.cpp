#include "ui/MessageGate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

namespace velmora
{

MessageGate::MessageGate(MessageBoxes &boxes, QObject *parent)
    : QObject(parent)
    , m_boxes(boxes)
{
}

Answer MessageGate::show(const Message &message)
{
    ++m_depth;
    const Answer answer = m_boxes.show(message);
    --m_depth;
    if (!m_posted.empty())
        schedule();
    return answer;
}

void MessageGate::post(std::function<void()> task)
{
    m_posted.push_back(std::move(task));
    schedule();
}

void MessageGate::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &MessageGate::flush, Qt::QueuedConnection);
}

void MessageGate::flush()
{
    m_scheduled = false;
    if (m_depth > 0 || m_posted.empty())
        return;
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        // A box now would swallow the release and with it the click.
        if (!m_waitingForRelease) {
            m_waitingForRelease = true;
            QCoreApplication::instance()->installEventFilter(this);
        }
        return;
    }
    std::function<void()> task = std::move(m_posted.front());
    m_posted.pop_front();
    ++m_depth;
    task();
    --m_depth;
    if (!m_posted.empty())
        schedule();
}

bool MessageGate::eventFilter(QObject *, QEvent *event)
{
    if (m_waitingForRelease && event->type() == QEvent::MouseButtonRelease) {
        m_waitingForRelease = false;
        QCoreApplication::instance()->removeEventFilter(this);
        // Queued: the release first finishes its click.
        schedule();
    }
    return false;
}

} // namespace velmora
