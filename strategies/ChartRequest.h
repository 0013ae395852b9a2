#pragma once
// View Graph: one request reads the fields of the selected strategy, runs
// that strategy's checks in order, and draws its chart on the surface.
//
// Every strategy branch has the same shape: it answers a Refusal when a check
// fails (the surface must be left untouched) and nothing when it drew its
// chart; an arithmetic fault that the checks cannot stop (a zero divisor, a
// whole number out of range, a result that is not finite) is thrown as a
// ChartFault, which the request reports like a refusal.

#include "chart/ChartSurface.h"
#include "core/Message.h"
#include "core/Workspace.h"
#include "strategies/ChartFault.h"

#include <array>
#include <optional>

namespace velmora
{

class ChartPen;

// Window-level numbers the branches share during one request. They keep
// their last values between requests; nothing relies on that.
struct ChartMemory {
    // Butterfly Spreads
    double netCredit = 0;
    double netPremium = 0;
    double maxProfit = 0;
    // The row being printed (Bull and Butterfly Spreads)
    double leg1Value = 0;
    double leg2Value = 0;
    double leg3Value = 0;
    double totalValue = 0;
    // The value table
    std::array<double, 5> rowPrices {};
    // Ratio Call Spreads
    double spreadBreakEven = 0; // B
    double spreadStrikeWidth = 0; // SW
    double spreadBreakEvenDistance = 0; // E
    double spreadRow4Price = 0;
};

struct StrategyContext {
    Workspace &fields;
    ChartMemory &memory;
    ChartPen &pen;
};

enum class ChartResult { Chart, Refused, None };

struct ChartOutcome {
    ChartResult result = ChartResult::None;
    std::optional<Refusal> refusal; // set when refused
    // The value table of a chart as printed: the two header rows, then the
    // value rows, each a price and the amounts; empty unless charted.
    QList<QStringList> table;
};

// Runs View Graph for the strategy selected in the workspace. On a chart the
// surface holds the new drawing; otherwise it is exactly as it was.
ChartOutcome viewGraph(Workspace &fields, ChartMemory &memory, ChartSurface &surface);

// The branches, one per strategy (strategies/<Strategy>.cpp).
std::optional<Refusal> coveredCallsChart(StrategyContext &context);
std::optional<Refusal> ratioCallsChart(StrategyContext &context);
std::optional<Refusal> bullSpreadsChart(StrategyContext &context);
std::optional<Refusal> butterflySpreadsChart(StrategyContext &context);
std::optional<Refusal> ratioCallSpreadsChart(StrategyContext &context);

} // namespace velmora
