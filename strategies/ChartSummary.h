#pragma once
// What an assistive tool says of the chart View Graph drew: its name, the
// figures it marks in one sentence, and its value table. Worked out from the
// position View Graph checked and the table it printed, never from the
// drawing.

#include "core/Workspace.h"
#include "strategies/TableText.h"

namespace velmora
{

struct ChartSummary {
    QString name; // "Covered Calls, IBM"
    QString figures; // "Break-even $18.00, maximum profit $700.00 at $25.00, ..."
    TableRows table; // the value table: two header rows, then one row per price
};

// Precondition: View Graph has just drawn the selected strategy's chart
// from these fields, with this value table.
ChartSummary chartSummary(const Workspace &fields, const TableRows &table);

} // namespace velmora
