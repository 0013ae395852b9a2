// The pricing module's table of functions (strategies/PricingModule.h).

#include "strategies/PricingModule.h"

#include <ql/instruments/payoffs.hpp>
#include <ql/pricingengines/blackcalculator.hpp>
#include <ql/pricingengines/blackformula.hpp>

#include <cstring>
#include <exception>
#include <type_traits>

namespace
{

using velmora::BlackTerms;
using velmora::PricingFault;

// Runs `price`; an exception becomes a fault with its text, so none crosses
// into the program that loaded the module.
template<typename Price>
bool guarded(PricingFault &fault, Price &&price)
{
    try {
        price();
        return true;
    } catch (const std::exception &e) {
        std::strncpy(fault.text, e.what(), sizeof fault.text - 1);
    } catch (...) {
        std::strncpy(fault.text, "unknown pricing error", sizeof fault.text - 1);
    }
    return false;
}

bool value(const BlackTerms &t, double &out, PricingFault &fault)
{
    return guarded(fault, [&] {
        out = QuantLib::blackFormula(
            QuantLib::Option::Call, t.strike, t.forward, t.stdDev, t.discount);
    });
}

bool greeks(
    const BlackTerms &t, double spot, double years, velmora::CallGreeks &out, PricingFault &fault)
{
    return guarded(fault, [&] {
        const auto payoff = QuantLib::ext::make_shared<QuantLib::PlainVanillaPayoff>(
            QuantLib::Option::Call, t.strike);
        const QuantLib::BlackCalculator calculator(payoff, t.forward, t.stdDev, t.discount);
        out = {calculator.value(), calculator.delta(spot), calculator.gamma(spot),
            calculator.theta(spot, years), calculator.vega(years)};
    });
}

// Accurate to far below a cent on any position the forms can hold.
constexpr double kStdDevAccuracy = 1e-12;
constexpr unsigned kMostIterations = 200;

bool impliedStdDev(const BlackTerms &t, double price, double &out, PricingFault &fault)
{
    return guarded(fault, [&] {
        out = QuantLib::blackFormulaImpliedStdDev(QuantLib::Option::Call, t.strike, t.forward,
            price, t.discount, 0.0, QuantLib::Null<QuantLib::Real>(), kStdDevAccuracy,
            kMostIterations);
    });
}

const velmora::PricingFunctions kFunctions {value, greeks, impliedStdDev};

} // namespace

extern "C" __attribute__((visibility("default"))) const velmora::PricingFunctions *
velmora_pricing_functions()
{
    return &kFunctions;
}

// The loader casts the symbol to this type.
static_assert(std::is_same_v<decltype(&velmora_pricing_functions), velmora::PricingEntry>);
