#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "strategies/Leg.h"

namespace velmora
{

double expiryProfit(const Legs &legs, double price)
{
    double total = 0;
    for (const Leg &leg : legs)
        total += leg(price);
    return total;
}

namespace
{

// Calls as their group's fields hold them: contracts, strike, premium.
Leg callsFrom(const Workspace &f, const ControlId &contracts, const ControlId &strike,
    const ControlId &premium, bool sold)
{
    const double count = f.number(contracts);
    return Leg::calls(sold ? -count : count, f.number(strike), f.number(premium));
}

} // namespace

Legs positionLegs(const Workspace &f)
{
    switch (StrategyKind(f.strategy())) {
    case StrategyKind::CoveredCalls:
        return {Leg::stock(f.number(at("Text4", 2)), f.number(at("Text4", 1))),
            callsFrom(f, at("Text5", 3), at("Text5", 1), at("Text5", 2), true)};
    case StrategyKind::RatioCalls:
        return {Leg::stock(f.number(at("txtRatioBuy", 2)), f.number(at("txtRatioBuy", 1))),
            callsFrom(
                f, at("txtRatioSell", 5), at("txtRatioSell", 1), at("txtRatioSell", 2), true)};
    case StrategyKind::BullSpreads:
        return {callsFrom(f, at("Text2", 5), at("Text2", 3), at("Text2", 4), false),
            callsFrom(f, at("Text3", 3), at("Text3", 1), at("Text3", 2), true)};
    case StrategyKind::ButterflySpreads:
        return {callsFrom(f, at("Text6", 5), at("Text6", 3), at("Text6", 4), false),
            callsFrom(f, at("Text7", 3), at("Text7", 1), at("Text7", 2), true),
            callsFrom(f, at("Text8", 3), at("Text8", 1), at("Text8", 2), false)};
    case StrategyKind::RatioCallSpreads:
        return {callsFrom(f, at("Text9", 6), at("Text9", 3), at("Text9", 4), false),
            callsFrom(f, at("Text10", 3), at("Text10", 1), at("Text10", 2), true)};
    }
    return {};
}

double positionStockPrice(const Legs &legs)
{
    for (const Leg &leg : legs)
        if (leg.kind == Leg::Kind::Stock && leg.entryPrice > 0)
            return leg.entryPrice;
    double low = 0, high = 0;
    for (const Leg &leg : legs) {
        if (leg.kind != Leg::Kind::Call)
            continue;
        low = low == 0 ? leg.strike : std::min(low, leg.strike);
        high = std::max(high, leg.strike);
    }
    return (low + high) / 2;
}

} // namespace velmora
