#include "strategies/OptionPricing.h"

#include <ql/instruments/payoffs.hpp>
#include <ql/pricingengines/blackcalculator.hpp>
#include <ql/pricingengines/blackformula.hpp>

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

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

// No time, no stock price or no strike: the call is worth what it pays now
// (QuantLib takes neither a zero forward nor a negative strike).
bool atExpiry(const Market &m, double strike)
{
    return !(m.years > 0) || !(m.volatility > 0) || !(m.spot > 0) || !(strike > 0);
}

} // namespace

double callValue(double strike, const Market &m)
{
    if (atExpiry(m, strike))
        return std::max(m.spot - strike, 0.0);
    const BlackInputs b = blackInputs(m);
    return QuantLib::blackFormula(QuantLib::Option::Call, strike, b.forward, b.stdDev, b.discount);
}

CallGreeks callGreeks(double strike, const Market &m)
{
    if (atExpiry(m, strike))
        return {std::max(m.spot - strike, 0.0), m.spot > strike ? 1.0 : 0.0, 0, 0, 0};
    const BlackInputs b = blackInputs(m);
    const auto payoff
        = QuantLib::ext::make_shared<QuantLib::PlainVanillaPayoff>(QuantLib::Option::Call, strike);
    const QuantLib::BlackCalculator calculator(payoff, b.forward, b.stdDev, b.discount);
    return {calculator.value(), calculator.delta(m.spot), calculator.gamma(m.spot),
        calculator.theta(m.spot, m.years), calculator.vega(m.years)};
}

} // namespace velmora
