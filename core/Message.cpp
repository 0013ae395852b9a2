#include "core/Message.h"

namespace velmora
{

QString defaultMessageTitle()
{
    return QStringLiteral("VELMORA");
}

Answer ScriptedMessageBoxes::show(const Message &message)
{
    m_shown.push_back(message);
    if (!m_script.empty()) {
        const Answer answer = m_script.front();
        m_script.pop_front();
        return answer;
    }
    return message.style == MsgStyle::QuestionYesNo ? Answer::Yes : Answer::Ok;
}

} // namespace velmora
