#include "ui/FirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace velmora
{

namespace
{

// Watches the application's events for the first paint of a widget in
// `window`, or of any widget when there is no window.
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(const QWidget *window, std::function<void()> task)
        : QObject(QCoreApplication::instance())
        , m_window(window)
        , m_anyWindow(!window)
        , m_task(std::move(task))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !m_task)
            return false;
        const auto *widget = qobject_cast<const QWidget *>(watched);
        if (!m_anyWindow && (!widget || !m_window || widget->window() != m_window))
            return false;
        // Queued, so the rest of this paint and its flush still happen.
        QTimer::singleShot(0, QCoreApplication::instance(), std::exchange(m_task, {}));
        deleteLater();
        return false;
    }

private:
    QPointer<const QWidget> m_window;
    bool m_anyWindow;
    std::function<void()> m_task;
};

} // namespace

void afterFirstPaint(QWidget &window, std::function<void()> task)
{
    QCoreApplication::instance()->installEventFilter(new FirstPaintWatch(&window, std::move(task)));
}

void exitAfterFirstPaintIfAsked(QCoreApplication &app)
{
    if (qEnvironmentVariableIsEmpty("VELMORA_EXIT_AFTER_FIRST_PAINT"))
        return;
    app.installEventFilter(new FirstPaintWatch(nullptr, &QCoreApplication::quit));
}

} // namespace velmora
