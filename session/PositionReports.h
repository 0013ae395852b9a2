#pragma once
// Report pages of positions run through a session: View Graph, then the
// analysis of what it drew. A position that cannot be opened, or that View
// Graph or the analysis refuses, gets the page of its refusal, so a report
// of many positions goes on past a bad one.

#include "store/PositionRow.h"
#include "strategies/PositionReport.h"

#include <QDate>

#include <functional>
#include <vector>

namespace velmora
{

class PositionStore;
class Session;

// The analysis inputs for a position's legs (the stock price is the
// position's own where it has one).
using InputsFor = std::function<AnalysisInputs(const Legs &)>;

// The page of the position on the session; the session is left in chart
// mode when it charted.
PositionReport sessionReport(Session &session, const InputsFor &inputsFor, const QDate &today);

// One page per saved position of `strategy`, in the order given, each
// opened as File ▸ open does into a session of its own.
std::vector<PositionReport> savedReports(PositionStore &store, int strategy,
    const std::vector<NameEntry> &entries, const InputsFor &inputsFor, const QDate &today);

} // namespace velmora
