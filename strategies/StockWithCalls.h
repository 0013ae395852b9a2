#pragma once
// Shares bought with calls sold against them (Covered Calls, Ratio Calls):
// the profit or loss of each leg at an expiration price, as the value tables
// print it.

#include "strategies/CallLegs.h"

namespace velmora
{

struct LegResults {
    double stock = 0;
    double call = 0;
    double total = 0;
};

struct StockWithCalls {
    double stockPrice = 0; // S
    double shares = 0; // N
    double strike = 0; // K
    double premium = 0; // c
    double contracts = 0; // 100 shares each

    LegResults at(double price) const
    {
        LegResults r;
        r.stock = (price - stockPrice) * shares;
        r.call = shortCalls(price, strike, premium, contracts);
        r.total = r.stock + r.call;
        return r;
    }
};

} // namespace velmora
