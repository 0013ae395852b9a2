#include "ui/FirstPaintExit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace velmora
{

namespace
{

class FirstPaintWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued, so the rest of this paint and its flush still happen.
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool m_seen = false;
};

} // namespace

void exitAfterFirstPaintIfAsked(QCoreApplication &app)
{
    if (qEnvironmentVariableIsEmpty("VELMORA_EXIT_AFTER_FIRST_PAINT"))
        return;
    app.installEventFilter(new FirstPaintWatch(&app));
}

} // namespace velmora
