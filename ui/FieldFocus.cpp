#include "ui/FieldFocus.h"

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "ui/ControlRegistry.h"
#include "ui/Look.h"
#include "ui/MessageGate.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include <memory>

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

bool isEditingShortcut(const QKeyEvent &key)
{
    for (const QKeySequence::StandardKey standard :
        {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll, QKeySequence::Undo,
            QKeySequence::Redo, QKeySequence::Deselect})
        if (key.matches(standard))
            return true;
    return false;
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
        if (const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            !leavesForAnotherWindow(reason))
            focusOut(*id, reason);
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste))
            return textRejected(*id, QGuiApplication::clipboard()->text());
        // Tab moves the focus before any field sees it; Delete and the
        // editing shortcuts type no character, although X11 reports one.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
            || key->key() == Qt::Key_Delete || isEditingShortcut(*key))
            return false;
        return keyRejected(*id, key->text());
    }
    case QEvent::Drop:
        return textRejected(*id, static_cast<QDropEvent *>(event)->mimeData()->text());
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection on X11.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        return mouse->button() == Qt::MiddleButton
            && textRejected(*id, QGuiApplication::clipboard()->text(QClipboard::Selection));
    }
    case QEvent::ContextMenu:
        if (!isFilteredField(*id))
            return false;
        showContextMenu(*id, field, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
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

void FieldFocus::focusOut(const ControlId &id, Qt::FocusReason reason)
{
    if (m_current != id)
        return;
    m_current.reset();
    restoreLook(id);
    if (!m_quiet)
        leave(id, reason);
}

void FieldFocus::leave(const ControlId &id, Qt::FocusReason reason)
{
    if (id == kSymbol) {
        const QPointer<QWidget> taker = QApplication::focusWidget();
        const std::optional<ControlId> next = m_workspace.leaveSymbol();
        // Tab and Enter go on to the field after the symbol; a click into
        // another control keeps it there. A button's command decides itself.
        const bool clickedInto = reason == Qt::MouseFocusReason && taker
            && !qobject_cast<QAbstractButton *>(taker.data());
        if (next && !clickedInto) {
            // The move waits for the click that left the symbol; where that
            // click's command sent the focus (a refused chart's field), it stays.
            m_gate.post([this, target = *next, taker] {
                if (QApplication::focusWidget() == taker)
                    moveFocus(target, false);
            });
        }
        return;
    }
    if (std::optional<Refusal> warning = m_workspace.leaveField(id)) {
        m_dueWarnings.push_back(std::move(*warning));
        m_gate.post([this] { showDueWarning(); });
    }
}

bool FieldFocus::showDueWarning()
{
    if (m_dueWarnings.empty())
        return true;
    const Refusal warning = std::move(m_dueWarnings.front());
    m_dueWarnings.pop_front();
    if (m_gate.show(warning.message) != Answer::Ok)
        return true;
    if (warning.focus)
        moveFocus(*warning.focus, warning.selectAll);
    return false;
}

bool FieldFocus::settleLeaveWarnings()
{
    while (!m_dueWarnings.empty()) {
        if (!showDueWarning())
            return false;
    }
    return true;
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

bool FieldFocus::textRejected(const ControlId &id, const QString &text)
{
    if (Workspace::acceptsText(id, text))
        return false;
    m_gate.show(Workspace::keyFilterMessage());
    return true;
}

void FieldFocus::showContextMenu(const ControlId &id, QLineEdit *field, const QPoint &at)
{
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    // The menu's Paste goes through the same rule as Ctrl+V.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction *paste : menu->actions()) {
        if (!paste->text().startsWith(pasteText))
            continue;
        paste->disconnect();
        connect(paste, &QAction::triggered, field, [this, id, field] {
            if (!textRejected(id, QGuiApplication::clipboard()->text()))
                field->paste();
        });
    }
    menu->exec(at);
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
