#pragma once
// Message boxes go through one small interface: the window shows them with
// Qt, tests answer them from a script and read back what was shown.

#include "core/ControlId.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

namespace velmora
{

// Style values of the message boxes, as the program has always numbered them.
namespace MsgStyle
{
constexpr int OkOnly = 0;
constexpr int Stop = 16; // stop icon, OK
constexpr int QuestionOkCancel = 33; // question icon, OK and Cancel
constexpr int QuestionYesNo = 36; // question icon, Yes and No
constexpr int Information = 64; // information icon, OK
constexpr int InformationOkCancel = 65; // information icon, OK and Cancel
} // namespace MsgStyle

// The title a message box gets when its caller gives none.
QString defaultMessageTitle();

struct Message {
    QString prompt;
    int style = MsgStyle::OkOnly;
    QString title; // empty: the program's default title

    QString shownTitle() const { return title.isEmpty() ? defaultMessageTitle() : title; }
    friend bool operator==(const Message &, const Message &) = default;
};

enum class Answer { Ok, Cancel, Yes, No };

// What a refused request or a warning asks of the window once the user has
// closed the message: where the focus goes (nothing: it stays where it is)
// and whether that field's whole text is selected.
struct Refusal {
    Message message;
    std::optional<ControlId> focus;
    bool selectAll = false;
};

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(const Message &message) = 0;
};

// Answers from a script (OK, or the first button, when the script is empty)
// and keeps every message shown, for tests and the headless chart command.
class ScriptedMessageBoxes final : public MessageBoxes
{
public:
    Answer show(const Message &message) override;

    void answerNext(Answer answer) { m_script.push_back(answer); }
    const std::vector<Message> &shown() const { return m_shown; }
    void clear()
    {
        m_shown.clear();
        m_script.clear();
    }

private:
    std::deque<Answer> m_script;
    std::vector<Message> m_shown;
};

} // namespace velmora
