#include "strategies/OptionPricing.h"

#include "strategies/PricingModule.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace velmora
{

namespace
{

// Below this standard deviation the call is worth its discounted intrinsic
// value to far below a cent, and Black's greeks would divide by almost 0.
constexpr double kSmallestStdDev = 1e-8;
// Below this forward price a call on the stock is worth nothing; Black's
// formula would take the logarithm of a number that has lost its digits.
constexpr double kSmallestForward = 1e-250;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct LoadedModule {
    const PricingFunctions *functions = nullptr;
    std::string problem; // why there are none, in the loader's words
};

// The one loader of the program's private modules that stays: pricing is
// the only one worth keeping out of the start-up.
LoadedModule loadModule()
{
    LoadedModule out;
    void *handle = dlopen(kPricingModule, RTLD_NOW | RTLD_LOCAL);
    void *entry = handle ? dlsym(handle, kPricingEntry) : nullptr;
    if (!entry) {
        out.problem = dlerror();
        return out;
    }
    out.functions = reinterpret_cast<PricingEntry>(entry)();
    return out;
}

const LoadedModule &pricingModule()
{
    static const LoadedModule loaded = loadModule();
    return loaded;
}

thread_local std::string lastFailure;

// The module's functions; null, with the reason kept, when it is missing.
const PricingFunctions *functions()
{
    const LoadedModule &module = pricingModule();
    if (!module.functions)
        lastFailure = module.problem;
    return module.functions;
}

void refused(const PricingFault &fault)
{
    lastFailure = fault.text;
}

BlackTerms termsOf(double strike, const Market &m)
{
    return {strike, m.spot * std::exp((m.rate - m.dividend) * m.years),
        m.volatility * std::sqrt(m.years), std::exp(-m.rate * m.years)};
}

// At expiration, at a stock price of 0, with no strike, or with almost no
// deviation left: the call is worth its discounted intrinsic value, and
// Black's formula is not needed (QuantLib takes neither a zero forward nor
// a zero strike).
bool settled(const BlackTerms &t, const Market &m)
{
    return !(m.years > 0) || !(t.strike > 0) || !(t.stdDev >= kSmallestStdDev)
        || !(t.forward >= kSmallestForward);
}

bool inTheMoney(const BlackTerms &t)
{
    return t.forward > t.strike;
}

} // namespace

std::string pricingProblem()
{
    return pricingModule().problem;
}

std::string takePricingFailure()
{
    return std::exchange(lastFailure, std::string());
}

CallParts callParts(double strike, const Market &m)
{
    const BlackTerms t = termsOf(strike, m);
    // Parity: in the money a call is the stock less the discounted strike,
    // plus what it is worth beyond that.
    const CallParts moving {std::exp(-m.dividend * m.years), -strike * t.discount, 0};
    if (settled(t, m))
        return inTheMoney(t) ? moving : CallParts {};
    const PricingFunctions *f = functions();
    PricingFault fault;
    double value = kNaN;
    if (f && !f->value(t, value, fault)) {
        refused(fault);
        value = kNaN;
    }
    if (!inTheMoney(t))
        return {0, 0, value};
    return {moving.spotShare, moving.strikeShare, value - t.discount * (t.forward - strike)};
}

double callValue(double strike, const Market &m)
{
    return callParts(strike, m).value(m.spot);
}

CallGreeks callGreeks(double strike, const Market &m)
{
    const BlackTerms t = termsOf(strike, m);
    if (settled(t, m)) {
        if (!inTheMoney(t))
            return {};
        const double held = std::exp(-m.dividend * m.years);
        const double theta
            = m.years > 0 ? m.dividend * m.spot * held - m.rate * strike * t.discount : 0.0;
        return {callValue(strike, m), held, 0, theta, 0};
    }
    const PricingFunctions *f = functions();
    CallGreeks out;
    PricingFault fault;
    if (!f || !f->greeks(t, m.spot, m.years, out, fault)) {
        if (f)
            refused(fault);
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    }
    return out;
}

ImpliedVolatility impliedVolatility(double strike, double premium, const Market &m)
{
    if (!(m.spot > 0))
        return {std::nullopt, NoImplied::NoStockPrice};
    if (!(m.years > 0))
        return {std::nullopt, NoImplied::NoTimeLeft};
    BlackTerms t = termsOf(strike, m);
    const double held = m.spot * std::exp(-m.dividend * m.years);
    if (!(premium > std::max(held - strike * t.discount, 0.0)))
        return {std::nullopt, NoImplied::NotAboveIntrinsic};
    if (!(premium < held))
        return {std::nullopt, NoImplied::NotBelowStockPrice};
    if (settled(t, m)) // no strike, or a forward too small to price: nothing fits between
        return {std::nullopt, NoImplied::NotFound};
    const PricingFunctions *f = functions();
    if (!f)
        return {std::nullopt, NoImplied::NotFound};
    PricingFault fault;
    t.stdDev = kMostVolatility * std::sqrt(m.years);
    double most = 0, stdDev = 0;
    if (!f->value(t, most, fault)) {
        refused(fault);
        return {std::nullopt, NoImplied::NotFound};
    }
    if (premium > most)
        return {std::nullopt, NoImplied::AboveLimit};
    if (!f->impliedStdDev(t, premium, stdDev, fault)) {
        refused(fault);
        return {std::nullopt, NoImplied::NotFound};
    }
    return {stdDev / std::sqrt(m.years), std::nullopt};
}

} // namespace velmora
