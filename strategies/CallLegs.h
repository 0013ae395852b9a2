#pragma once
// Profit or loss at expiration of the call legs the spread charts are built
// from, in dollars, for n contracts of 100 shares.

#include "core/Numbers.h"

namespace velmora
{

// A net premium of less than half a cent is none: premiums such as
// 3 × 0.20 − 2 × 0.30 are a hair off 0 in binary, and that hair must not
// decide between a credit and a debit.
inline double settledPremium(double amount)
{
    return r2(amount) == 0 ? 0.0 : amount;
}

// n calls struck at k, bought at p, at expiration price x. Every table price
// of the spreads lies at or above k, so the value is not floored at -p.
inline double longCalls(double x, double k, double p, double n)
{
    return (x - k - p) * n * 100;
}

// The whole premium p of n calls, kept by the seller or lost by the buyer.
inline double callPremium(double p, double n)
{
    return p * n * 100;
}

// n calls sold at p, struck at k, when the price x has reached the strike.
inline double shortCallsAbove(double x, double k, double p, double n)
{
    return (p - (x - k)) * n * 100;
}

// n calls sold at p, struck at k: the premium below the strike.
inline double shortCalls(double x, double k, double p, double n)
{
    return x < k ? callPremium(p, n) : shortCallsAbove(x, k, p, n);
}

} // namespace velmora
