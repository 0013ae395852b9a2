#pragma once
// What the entry fields do as the focus and the keys reach them: the focus
// colours, selecting the whole text on arrival, the key filter of the numeric
// fields, and the checks when the focus leaves a field (Text1 included).
//
// Focus changes that the window or a message box causes are told apart from
// the user's: a field that loses the focus to a message box, or because the
// program sends the focus elsewhere, is not checked, so two fields that are
// both out of range cannot send the focus back and forth between them.
// Leaving Stock/Symbol by Tab or Enter goes on to the strategy's first field;
// a click into another field keeps the field clicked.

#include "core/ControlId.h"
#include "core/Message.h"

#include <QObject>

#include <deque>
#include <optional>

class QLineEdit;
class QPoint;

namespace velmora
{

class ControlRegistry;
class MessageGate;
class Workspace;

class FieldFocus : public QObject
{
    Q_OBJECT
public:
    FieldFocus(Workspace &workspace, const ControlRegistry &controls, MessageGate &gate,
        QObject *parent = nullptr);

    // Handles the focus and keys of one field of the registry.
    void attach(QLineEdit *field);

    // Gives the control the focus as the program does after a message; with
    // selectAll the field's whole text is selected.
    void moveFocus(const ControlId &id, bool selectAll);

    // A command's click left a field whose warning is still due: it is shown
    // now, before the command. False when the user answered OK (back to the
    // field) and the command must not run.
    bool settleLeaveWarnings();

    // While a Quiet lives, fields that lose the focus only get their colours
    // back: the window is moving things around, the user is not leaving.
    class Quiet
    {
    public:
        explicit Quiet(FieldFocus &focus)
            : m_focus(focus)
            , m_was(focus.m_quiet)
        {
            focus.m_quiet = true;
        }
        ~Quiet() { m_focus.m_quiet = m_was; }
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;

    private:
        FieldFocus &m_focus;
        bool m_was;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusIn(const ControlId &id, QLineEdit *field);
    void focusOut(const ControlId &id, Qt::FocusReason reason);
    bool keyRejected(const ControlId &id, const QString &typed);
    // Pasted and dropped text passes the key filter's rule or is refused
    // with its message; true when refused.
    bool textRejected(const ControlId &id, const QString &text);
    void showContextMenu(const ControlId &id, QLineEdit *field, const QPoint &at);
    bool showDueWarning();
    void showFocusLook(const ControlId &id);
    void restoreLook(const ControlId &id);
    void leave(const ControlId &id, Qt::FocusReason reason);

    Workspace &m_workspace;
    const ControlRegistry &m_controls;
    MessageGate &m_gate;
    std::optional<ControlId> m_current;
    std::deque<Refusal> m_dueWarnings;
    bool m_quiet = false;
};

} // namespace velmora
