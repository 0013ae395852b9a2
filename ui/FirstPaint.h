#pragma once
// What waits for the first paint. Start-up work the user does not see
// before the window appears runs right after it has painted; and for the
// whole-process benchmark, with VELMORA_EXIT_AFTER_FIRST_PAINT set in the
// environment, the event loop ends right after the first window has painted,
// so start-up can be timed as a user sees it.

#include <functional>

class QCoreApplication;
class QWidget;

namespace velmora
{

// Runs `task` once, from the event loop, after `window` first painted.
void afterFirstPaint(QWidget &window, std::function<void()> task);

// With VELMORA_EXIT_AFTER_FIRST_PAINT set, ends the event loop after the
// first paint; without it, does nothing. Called after afterFirstPaint(), the
// loop ends before those tasks run.
void exitAfterFirstPaintIfAsked(QCoreApplication &app);

} // namespace velmora
