#pragma once
// Which entry field of the main window goes into which column of Chart, per
// strategy, and the order in which a saved row is put back into the fields.
// Loading sets the fields one by one through the Workspace, so every derived
// field follows exactly as if the user had typed the values in that order.

#include "store/PositionRow.h"

#include "core/ControlId.h"

#include <vector>

namespace velmora
{

class Workspace;

// How a column is written: text trimmed, or the number text of the field.
// The ratio lists are written as the text of their selected entry.
enum class ColumnKind { Text, Number, Ratio };

// How a NULL in a column is put back: Guarded leaves the field as it is,
// Empty clears it (the symbols, and every column the row writer always fills).
enum class NullRule { Guarded, Empty };

struct FieldLink {
    QString column;
    ControlId field; // cmbRatio / cmbratioCallSpreads for the ratio column
    ColumnKind kind;
};

struct LoadStep {
    QString column;
    NullRule rule;
};

// The links of one strategy in the order the row writer sets the columns.
const std::vector<FieldLink> &fieldLinks(int strategy);
// The order in which a row of that strategy is put back into the fields.
const std::vector<LoadStep> &loadSteps(int strategy);

// A new row of the strategy from the fields of the workspace: name trimmed,
// the current local date and time, the strategy's columns in writing order.
PositionRow rowFromWorkspace(const Workspace &workspace, int strategy, const QString &name);

// Switches the workspace to the row's strategy and fills its fields. False,
// with the workspace untouched, when the row names no known strategy.
bool loadRow(const PositionRow &row, Workspace &workspace);

} // namespace velmora
