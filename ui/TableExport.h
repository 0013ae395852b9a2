#pragma once
// Tables to take away from a window: Ctrl+C puts them on the clipboard as
// tab-separated text, File > Export Table... writes them as CSV.

#include "strategies/TableText.h"

class QWidget;

namespace velmora
{

void copyTable(const TableRows &rows);

// Writes the rows as CSV; an error text, empty when written.
QString writeTableCsv(const TableRows &rows, const QString &fileName);

// Asks for a file name, in the folder of the last export and with the name
// suggested, if any, and writes the rows there; an error text, empty when
// written or when the user cancelled.
QString exportTable(const TableRows &rows, QWidget *parent, const QString &suggestedName = {});

} // namespace velmora
