#pragma once
// Tables to take away: the value table of a schematic chart (as View Graph
// worked it out) and the figures of the analysis, as rows of cells, written
// as tab-separated text (pastes into a spreadsheet) or as CSV.

#include "strategies/PositionAnalysis.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora
{

using TableRows = QList<QStringList>;

// Figure, value and the price where it is reached (where there is one).
TableRows figureRows(const PositionAnalysis &analysis);

QString tabSeparated(const TableRows &rows);
// Cells holding a comma, a quote or a line break are quoted, quotes doubled.
QString commaSeparated(const TableRows &rows);

} // namespace velmora
