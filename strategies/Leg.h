#pragma once
// A position as legs: shares bought, and calls bought or sold. A leg is a
// small value: its call operator answers its profit or loss at expiration,
// and the position's is the sum over its legs. The analysis view prices the
// same legs before expiration (strategies/OptionPricing.h).

#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace velmora
{

class Workspace;

struct Leg {
    enum class Kind { Stock, Call };
    Kind kind = Kind::Stock;
    double shares = 0; // bought > 0, sold < 0; a contract is 100 shares
    double strike = 0; // calls only
    double entryPrice = 0; // $ per share: the stock's price, or the call's premium

    static Leg stock(double shares, double price) { return {Kind::Stock, shares, 0, price}; }
    static Leg calls(double contracts, double strike, double premium)
    {
        return {Kind::Call, contracts * 100, strike, premium};
    }

    // What one share or call is worth at expiration, at this stock price.
    double expiryValue(double price) const
    {
        return kind == Kind::Stock ? price : std::max(price - strike, 0.0);
    }
    // Profit or loss when one share or call is worth `value`.
    double profitAtValue(double value) const { return shares * (value - entryPrice); }
    // Profit or loss at expiration.
    double operator()(double price) const { return profitAtValue(expiryValue(price)); }
};

using Legs = std::vector<Leg>;

// Profit or loss of all legs at expiration.
double expiryProfit(const Legs &legs, double price);

// The legs of the selected strategy's position, read from its fields as
// View Graph reads them; empty when no strategy is selected.
Legs positionLegs(const Workspace &fields);

// The stock's price the position was entered at, where the strategy has one
// (Covered Calls, Ratio Calls); the spreads carry none of their own.
std::optional<double> positionStockPrice(const Legs &legs);

// The legs in short, as a title shows them: "+300 @ 50, -3 C55 @ 2".
QString legsSummary(const Legs &legs);

// The position in short: symbol, strategy and legs, as in
// "IBM covered call: +300 @ 50, -3 C55 @ 2" (no symbol when none is typed).
QString positionTitle(const Workspace &fields);

} // namespace velmora
