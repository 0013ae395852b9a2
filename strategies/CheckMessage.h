#pragma once
// The message of a failed chart check: what the box says, and where the
// focus goes once the user has closed it.

#include "core/Message.h"

#include <optional>

namespace velmora
{

inline Refusal checkMessage(const char *prompt, int style, const char *title,
    std::optional<ControlId> focus, bool selectAll = false)
{
    return {
        {QString::fromUtf8(prompt), style, QString::fromUtf8(title)}, std::move(focus), selectAll};
}

// Most checks show the information icon with the title "Attention".
inline Refusal attention(const char *prompt, std::optional<ControlId> focus, bool selectAll = false)
{
    return checkMessage(prompt, MsgStyle::Information, "Attention", std::move(focus), selectAll);
}

} // namespace velmora
