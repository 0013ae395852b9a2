#pragma once
// Builds the group box of one strategy: its sub-frames with their captions,
// the entry fields in catalogue order (hidden fields made but never shown),
// and the ratio list with its two number boxes lying beneath it. The group
// starts parked.

#include "core/Catalogue.h"

class QGroupBox;
class QWidget;

namespace velmora
{

class ControlRegistry;

// Where the group in view lies on the window, twips; a parked group keeps
// the same top.
constexpr int kGroupLeft = 90;
constexpr int kGroupTop = 1110;

QGroupBox *buildGroup(const GroupSpec &entry, QWidget *client, ControlRegistry &controls);

} // namespace velmora
