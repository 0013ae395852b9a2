#pragma once
// A generated position that View Graph charts, for the tests that check the
// analysis and the grid against the schematic chart of the same position.

#include "support/PositionGenerator.h"

#include "chart/ChartSurface.h"
#include "core/Workspace.h"
#include "strategies/ChartRequest.h"

namespace velmora::generator
{

struct Charted {
    Workspace fields;
    ChartMemory memory;
    ChartSurface surface;
    ChartOutcome outcome;
};

// An ordinary position of the strategy, at a random ratio, charted; false
// when View Graph refused it.
inline bool chartOrdinary(Rng &rng, StrategyKind kind, Charted &c)
{
    const int ratio = rng.below(kRatioCount);
    c.fields.load();
    c.fields.setStrategy(int(kind));
    c.fields.setRatioIndex(ratio);
    c.fields.setRatioSpreadIndex(rng.below(kRatioCount));
    for (const auto &[id, text] : ordinary(rng, kind, ratio))
        c.fields.setText(id, text);
    c.outcome = viewGraph(c.fields, c.memory, c.surface);
    return c.outcome.result == ChartResult::Chart;
}

} // namespace velmora::generator
