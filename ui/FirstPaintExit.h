#pragma once
// For the whole-process benchmark: with VELMORA_EXIT_AFTER_FIRST_PAINT set in
// the environment, the event loop ends right after the first window has
// painted, so start-up can be timed as a user sees it. Without the variable
// nothing changes.

class QCoreApplication;

namespace velmora
{

void exitAfterFirstPaintIfAsked(QCoreApplication &app);

} // namespace velmora
