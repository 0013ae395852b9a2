#include "strategies/ChartPen.h"
#include "strategies/ChartRequest.h"

namespace velmora {

// Placeholder until this strategy's chart lands.
std::optional<Refusal> ratioCallsChart(StrategyContext &)
{
    throw ChartFault("This strategy cannot be charted yet.");
}

} // namespace velmora
