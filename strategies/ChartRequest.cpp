#include "strategies/ChartRequest.h"

#include "core/Catalogue.h"
#include "strategies/ChartPen.h"
#include "strategies/CheckMessage.h"

namespace velmora
{

namespace
{

using Branch = std::optional<Refusal> (*)(StrategyContext &);

// In the order of the strategy list.
constexpr Branch kBranches[kStrategyCount] = {
    coveredCallsChart,
    ratioCallsChart,
    bullSpreadsChart,
    butterflySpreadsChart,
    ratioCallSpreadsChart,
};

// A blank surface in the real one's size, colours and drawing state, so a
// branch that stops half-way leaves the chart on screen as it was.
ChartSurface scratchOf(const ChartSurface &surface)
{
    ChartSurface scratch;
    scratch.setScaleSize(surface.scaleWidth(), surface.scaleHeight());
    scratch.setPalette(surface.palette());
    scratch.moveTo(surface.currentX(), surface.currentY());
    scratch.setFontBold(surface.fontBold());
    return scratch;
}

} // namespace

ChartOutcome viewGraph(Workspace &fields, ChartMemory &memory, ChartSurface &surface)
{
    const int strategy = fields.strategy();
    if (strategy < 0 || strategy >= kStrategyCount)
        return {};

    ChartSurface scratch = scratchOf(surface);
    ChartPen pen(scratch);
    StrategyContext context {fields, memory, pen};
    try {
        if (auto refusal = kBranches[strategy](context))
            return {ChartResult::Refused, std::move(refusal), {}};
    } catch (const ChartFault &fault) {
        return {ChartResult::Refused,
            checkMessage(fault.what(), MsgStyle::Stop, "Attention", std::nullopt), {}};
    }
    surface = std::move(scratch);
    return {ChartResult::Chart, std::nullopt, pen.table().rows()};
}

} // namespace velmora
