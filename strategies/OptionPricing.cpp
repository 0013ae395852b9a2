#include "strategies/OptionPricing.h"

#include "core/PrivateModule.h"
#include "strategies/PricingModule.h"

#include <QtGlobal>

#include <algorithm>

namespace velmora
{

namespace
{

// No time, no stock price or no strike: the call is worth what it pays now
// (QuantLib takes neither a zero forward nor a negative strike).
bool atExpiry(const Market &m, double strike)
{
    return !(m.years > 0) || !(m.volatility > 0) || !(m.spot > 0) || !(strike > 0);
}

const PrivateModule &pricingModule()
{
    static const PrivateModule loaded = openPrivateModule(kPricingModule);
    return loaded;
}

void *pricingSymbol(const char *name)
{
    std::string why;
    void *symbol = pricingModule().symbol(name, why);
    // pricingProblem() refuses the analysis before a price is asked for, so
    // this only stops a module that lacks a function of its own interface.
    if (!symbol)
        qFatal("cannot price the calls: %s", why.c_str());
    return symbol;
}

} // namespace

std::string pricingProblem()
{
    return pricingModule().problem;
}

double callValue(double strike, const Market &m)
{
    if (atExpiry(m, strike))
        return std::max(m.spot - strike, 0.0);
    static const auto value = reinterpret_cast<BlackValue>(pricingSymbol(kBlackValue));
    return value(strike, m);
}

CallGreeks callGreeks(double strike, const Market &m)
{
    if (atExpiry(m, strike))
        return {std::max(m.spot - strike, 0.0), m.spot > strike ? 1.0 : 0.0, 0, 0, 0};
    static const auto greeks = reinterpret_cast<BlackGreeks>(pricingSymbol(kBlackGreeks));
    return greeks(strike, m);
}

} // namespace velmora
