#pragma once
// Printing the chart as the main window does it: switch to print colours on a
// narrower borderless surface, draw the chart again, ask for a printer,
// print, then always restore the screen look and leave chart mode, whether
// the job printed, was cancelled or failed. The window supplies the steps,
// so the order and the restoring can be tested without one.

#include "chart/ChartSurface.h"

#include <QString>

#include <functional>

namespace velmora
{

struct PrintJobSteps {
    std::function<bool()> chartShown; // false: nothing to print, nothing happens
    std::function<void()> preparePrintState; // park the groups, print look
    std::function<void()> redraw; // run View Graph again
    std::function<bool()> askPrinter; // the print dialog; false when cancelled
    std::function<QString()> print; // error text, empty when printed
    std::function<void()> restoreScreenState;
    std::function<void()> leaveChartMode; // the Esc handling
};

enum class PrintOutcome { NotShown, Printed, Cancelled, Failed };

struct PrintJobResult {
    PrintOutcome outcome = PrintOutcome::NotShown;
    QString error; // why it failed
};

// Runs the steps in order. Once the print state is being prepared, any
// failure (a cancelled dialog, a printer error, an exception from a step)
// skips the remaining printing steps; restoring and leaving chart mode run
// on every path.
PrintJobResult runPrintJob(const PrintJobSteps &steps);

// The surface's look while printing: 500 twips narrower, no border, black on
// white; and back to its screen look.
void setPrintLook(ChartSurface &surface);
void setScreenLook(ChartSurface &surface);

} // namespace velmora
