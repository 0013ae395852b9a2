#pragma once
// Black-Scholes values and greeks of a call, from QuantLib. Only the pricing
// module (strategies/PricingModule.h) includes and links QuantLib, so nothing
// else pays for its headers or for loading it.
//
// The calls are valued as European options. On a stock without dividends an
// American call is never exercised early, so the values are exact; with a
// dividend yield they are the European values.

#include <string>

namespace velmora
{

struct Market {
    double spot = 0; // $ per share
    double volatility = 0; // a year, 0.30 for 30 %
    double rate = 0; // continuously compounded, a year
    double dividend = 0; // continuous yield, a year
    double years = 0; // time to expiration
};

struct CallGreeks {
    double value = 0;
    double delta = 0; // per $ of the stock
    double gamma = 0; // delta's change per $ of the stock
    double theta = 0; // per year
    double vega = 0; // per 1.00 of volatility
};

// A call's value; at or after expiration its intrinsic value.
double callValue(double strike, const Market &market);
CallGreeks callGreeks(double strike, const Market &market);

// Why calls cannot be priced before expiration (the pricing module of a
// broken installation is missing); empty when they can.
std::string pricingProblem();

} // namespace velmora
