#pragma once
// Message boxes on screen: the style value picks the icon and the buttons.

#include "core/Message.h"

namespace velmora
{

class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(const Message &message) override;
};

} // namespace velmora
