#pragma once
// The empty chart every request starts from: the surface cleared, the two
// axis captions and the two axes in dark red. The window's part of entering
// chart mode (bringing the surface forward, enlarging the window, enabling
// Print ▸ Graph) is the main window's.

#include "chart/ChartSurface.h"

namespace velmora
{

void drawGraphBase(ChartSurface &surface);

} // namespace velmora
