#include "ui/QtMessageBoxes.h"

#include "ui/Look.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>

namespace velmora
{

namespace
{

struct BoxKind {
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

BoxKind boxKind(int style)
{
    switch (style) {
    case MsgStyle::Stop:
        return {QMessageBox::Critical, QMessageBox::Ok};
    case MsgStyle::QuestionOkCancel:
        return {QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel};
    case MsgStyle::QuestionYesNo:
        return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No};
    case MsgStyle::Information:
        return {QMessageBox::Information, QMessageBox::Ok};
    case MsgStyle::InformationOkCancel:
        return {QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel};
    default:
        return {QMessageBox::NoIcon, QMessageBox::Ok};
    }
}

Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

} // namespace

Answer QtMessageBoxes::show(const Message &message)
{
    const BoxKind kind = boxKind(message.style);
    // Right after another box closes no window may be active yet; the box
    // still belongs in the middle of the program's window.
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = m_window ? m_window.data() : QApplication::activeWindow();
    QMessageBox box(kind.icon, message.shownTitle(), message.prompt, kind.buttons, parent);
    box.setTextFormat(Qt::PlainText);
    // Never narrower than its title.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(look::titleWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                          QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    // Closing the box with Esc or its close box answers Cancel or No where there is one.
    return answerOf(box.exec());
}

} // namespace velmora
