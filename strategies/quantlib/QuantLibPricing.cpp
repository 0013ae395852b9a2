// The pricing module's two entry points (strategies/PricingModule.h).

#include "strategies/PricingModule.h"

#include <ql/instruments/payoffs.hpp>
#include <ql/pricingengines/blackcalculator.hpp>
#include <ql/pricingengines/blackformula.hpp>

#include <cmath>
#include <type_traits>

namespace
{

using velmora::Market;

struct BlackInputs {
    double forward = 0;
    double stdDev = 0;
    double discount = 1;
};

BlackInputs blackInputs(const Market &m)
{
    return {m.spot * std::exp((m.rate - m.dividend) * m.years), m.volatility * std::sqrt(m.years),
        std::exp(-m.rate * m.years)};
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) double velmora_black_value(double strike, const Market &m)
{
    const BlackInputs b = blackInputs(m);
    return QuantLib::blackFormula(QuantLib::Option::Call, strike, b.forward, b.stdDev, b.discount);
}

__attribute__((visibility("default"))) velmora::CallGreeks velmora_black_greeks(
    double strike, const Market &m)
{
    const BlackInputs b = blackInputs(m);
    const auto payoff
        = QuantLib::ext::make_shared<QuantLib::PlainVanillaPayoff>(QuantLib::Option::Call, strike);
    const QuantLib::BlackCalculator calculator(payoff, b.forward, b.stdDev, b.discount);
    return {calculator.value(), calculator.delta(m.spot), calculator.gamma(m.spot),
        calculator.theta(m.spot, m.years), calculator.vega(m.years)};
}
}

// The loader casts the symbols to these types.
static_assert(std::is_same_v<decltype(&velmora_black_value), velmora::BlackValue>);
static_assert(std::is_same_v<decltype(&velmora_black_greeks), velmora::BlackGreeks>);
