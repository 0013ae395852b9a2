#include "ui/QtMessageBoxes.h"

#include <QApplication>
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
    QMessageBox box(kind.icon, message.shownTitle(), message.prompt, kind.buttons,
        QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // Closing the box with Esc or its close box answers Cancel or No where there is one.
    return answerOf(box.exec());
}

} // namespace velmora
