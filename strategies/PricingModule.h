#pragma once
// The module that prices calls with QuantLib. QuantLib's library alone costs
// the desktop program a third of its start-up, so it is loaded at the first
// price before expiration rather than with the program.

#include "strategies/OptionPricing.h"

namespace velmora
{

// Found through the programs' run path, in their library folder (the build
// tree keeps the installed layout).
constexpr char kPricingModule[] = "velmora-pricing.so";

// The inputs are valid for Black-Scholes: time, volatility, spot and strike
// all above zero.
using BlackValue = double (*)(double strike, const Market &market);
using BlackGreeks = CallGreeks (*)(double strike, const Market &market);
constexpr char kBlackValue[] = "velmora_black_value";
constexpr char kBlackGreeks[] = "velmora_black_greeks";

} // namespace velmora
