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

Legs positionLegs(const Workspace &f)
{
    if (f.strategy() < 0 || f.strategy() >= kStrategyCount)
        return {};
    const auto kind = StrategyKind(f.strategy());
    const auto number = [&](FieldRole role) { return f.number(field(kind, role)); };
    Legs legs;
    // A position with stock sells its calls against it; a spread buys the
    // lowest and highest strikes and sells the one between.
    const bool withStock = roleField(kind, FieldRole::Shares).has_value();
    if (withStock)
        legs.push_back(Leg::stock(number(FieldRole::Shares), number(FieldRole::StockPrice)));
    constexpr FieldRole calls[][3] = {
        {FieldRole::Strike1, FieldRole::Premium1, FieldRole::Contracts1},
        {FieldRole::Strike2, FieldRole::Premium2, FieldRole::Contracts2},
        {FieldRole::Strike3, FieldRole::Premium3, FieldRole::Contracts3},
    };
    for (std::size_t n = 0; n < std::size(calls); ++n) {
        const auto &[strike, premium, contracts] = calls[n];
        if (!roleField(kind, strike))
            break;
        const bool sold = withStock || n == 1;
        const double count = number(contracts);
        legs.push_back(Leg::calls(sold ? -count : count, number(strike), number(premium)));
    }
    return legs;
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
