#pragma once
// The module that prices calls with QuantLib. QuantLib's library alone costs
// the desktop program a third of its start-up, so it is loaded at the first
// price before expiration rather than with the program.
//
// The module answers one table of functions. None of them lets an exception
// out: each answers false with the library's words in the fault instead.

#include "strategies/OptionPricing.h"

namespace velmora
{

// Found through the programs' run path, in their library folder (the build
// tree keeps the installed layout).
constexpr char kPricingModule[] = "velmora-pricing.so";

// Black's formula on the forward: the caller has checked that the strike,
// the forward, the standard deviation and the discount are all above zero.
struct BlackTerms {
    double strike = 0;
    double forward = 0;
    double stdDev = 0; // volatility x square root of the years
    double discount = 1;
};

struct PricingFault {
    char text[240] = {};
};

struct PricingFunctions {
    // A call's value.
    bool (*value)(const BlackTerms &terms, double &value, PricingFault &fault);
    // A call's value and greeks at this spot, `years` before expiration.
    bool (*greeks)(const BlackTerms &terms, double spot, double years, CallGreeks &greeks,
        PricingFault &fault);
    // The standard deviation at which a call is worth `price` (discounted);
    // the caller has checked that the price lies strictly between the
    // call's lowest and highest value.
    bool (*impliedStdDev)(
        const BlackTerms &terms, double price, double &stdDev, PricingFault &fault);
};

using PricingEntry = const PricingFunctions *(*)();
constexpr char kPricingEntry[] = "velmora_pricing_functions";

} // namespace velmora
