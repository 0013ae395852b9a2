#pragma once
// Tables to take away: the value table of a schematic chart and the figures
// of the analysis, as rows of cells, written as tab-separated text (pastes
// into a spreadsheet) or as CSV.

#include "chart/ChartSurface.h"
#include "strategies/PositionAnalysis.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora
{

using TableRows = QList<QStringList>;

// The value table of a recorded chart: its header and value rows, left to
// right, from the table top (see ChartMemory::tableTop) to its closing rule.
TableRows valueTableRows(const ChartSurface &surface, int tableTop);

// Figure, value and the price where it is reached (where there is one).
TableRows figureRows(const PositionAnalysis &analysis);

QString tabSeparated(const TableRows &rows);
// Cells holding a comma, a quote or a line break are quoted, quotes doubled.
QString commaSeparated(const TableRows &rows);

} // namespace velmora
