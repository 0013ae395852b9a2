#pragma once
// What an assistive tool says of the chart View Graph drew: its name, the
// figures it marks in one sentence, and a table of values as text. Worked
// out from the position View Graph checked, never from the drawing.

#include "core/Workspace.h"
#include "strategies/TableText.h"

namespace velmora
{

struct ChartSummary {
    QString name; // "Covered Calls, IBM"
    QString figures; // "Break-even $18.00, maximum profit $700.00 at $25.00, ..."
    TableRows table; // header, then one row per price the chart marks
};

// Precondition: View Graph has just drawn the selected strategy's chart
// from these fields.
ChartSummary chartSummary(const Workspace &fields);

} // namespace velmora
