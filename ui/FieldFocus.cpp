#include "ui/FieldFocus.h"

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "ui/ControlRegistry.h"
#include "ui/Look.h"
#include "ui/MessageGate.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace velmora
{

namespace
{

const ControlId kSymbol = single("Text1");

void paint(QLineEdit *field, const QColor &background, const QColor &text)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    field->setPalette(palette);
}

void setBold(QLineEdit *field, bool bold)
{
    QFont font = field->font();
    font.setBold(bold);
    field->setFont(font);
}

// Focus lost to another window (a message box, a menu) is no leaving.
bool leavesForAnotherWindow(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason;
}

} // namespace

FieldFocus::FieldFocus(
    Workspace &workspace, const ControlRegistry &controls, MessageGate &gate, QObject *parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_controls(controls)
    , m_gate(gate)
{
}

void FieldFocus::attach(QLineEdit *field)
{
    field->installEventFilter(this);
}

bool FieldFocus::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    const std::optional<ControlId> id = m_controls.idOf(field);
    if (!id)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        focusIn(*id, field);
        break;
    case QEvent::FocusOut:
        if (!leavesForAnotherWindow(static_cast<QFocusEvent *>(event)->reason()))
            focusOut(*id);
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Tab moves the focus before any field sees it; Delete edits without
        // typing a character, although X11 reports it as "\x7f".
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
            || key->key() == Qt::Key_Delete)
            return false;
        return keyRejected(*id, key->text());
    }
    default:
        break;
    }
    return false;
}

void FieldFocus::focusIn(const ControlId &id, QLineEdit *field)
{
    if (m_current == id)
        return; // the window got the focus back
    if (m_current)
        restoreLook(*m_current); // it lost the focus while the window was inactive
    m_current = id;
    if (id == kSymbol)
        return;
    showFocusLook(id);
    // After the click that brought the focus, or it would undo the selection.
    QTimer::singleShot(0, field, [field] {
        if (field->hasFocus() && isFilled(field->text()))
            field->selectAll();
    });
}

void FieldFocus::focusOut(const ControlId &id)
{
    if (m_current != id)
        return;
    m_current.reset();
    restoreLook(id);
    if (!m_quiet)
        leave(id);
}

void FieldFocus::leave(const ControlId &id)
{
    if (id == kSymbol) {
        if (const std::optional<ControlId> next = m_workspace.leaveSymbol()) {
            // The move waits for the click that left the symbol; where that
            // click's command sent the focus (a refused chart's field), it stays.
            const QPointer<QWidget> taker = QApplication::focusWidget();
            m_gate.post([this, target = *next, taker] {
                if (QApplication::focusWidget() == taker)
                    moveFocus(target, false);
            });
        }
        return;
    }
    if (std::optional<Refusal> warning = m_workspace.leaveField(id)) {
        m_gate.post([this, warning = std::move(*warning)] {
            if (m_gate.show(warning.message) == Answer::Ok && warning.focus)
                moveFocus(*warning.focus, warning.selectAll);
        });
    }
}

bool FieldFocus::keyRejected(const ControlId &id, const QString &typed)
{
    for (const QChar c : typed) {
        if (!Workspace::acceptsKey(id, c)) {
            m_gate.show(Workspace::keyFilterMessage());
            return true;
        }
    }
    return false;
}

void FieldFocus::moveFocus(const ControlId &id, bool selectAll)
{
    QWidget *target = m_controls.control(id);
    if (!target)
        return;
    // After a message box the window may not have been given back the focus.
    if (!target->window()->isActiveWindow())
        target->window()->activateWindow();
    {
        Quiet quiet(*this);
        target->setFocus(Qt::OtherFocusReason);
    }
    if (auto *field = qobject_cast<QLineEdit *>(target); field && selectAll)
        field->selectAll();
}

void FieldFocus::showFocusLook(const ControlId &id)
{
    QLineEdit *field = m_controls.field(id);
    paint(field, look::focusBackground(), Qt::white);
    if (look::regularUntilFocused(id.name))
        setBold(field, true);
}

void FieldFocus::restoreLook(const ControlId &id)
{
    QLineEdit *field = m_controls.field(id);
    if (!field || id == kSymbol)
        return;
    const QString &array = id.name;
    if (array == u"Text9" || array == u"Text10") {
        paint(field, look::systemWindow(), look::systemWindowText());
    } else if (array == u"Text7" || array == u"Text8" || array == u"txtRatioBuy") {
        paint(field, Qt::white, look::systemWindowText());
    } else {
        paint(field, Qt::white, Qt::black);
        if (array == u"txtRatioSell")
            setBold(field, true);
    }
}

} // namespace velmora
