#include "strategies/OptionPricing.h"

#include "strategies/PricingModule.h"

#include <QtGlobal>

#include <algorithm>

#include <dlfcn.h>

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

void *pricingSymbol(const char *name)
{
    static void *const module = dlopen(kPricingModule, RTLD_NOW | RTLD_LOCAL);
    void *symbol = module ? dlsym(module, name) : nullptr;
    // An installation without its module cannot price at all.
    if (!symbol)
        qFatal("cannot price the calls: %s", dlerror());
    return symbol;
}

} // namespace

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
