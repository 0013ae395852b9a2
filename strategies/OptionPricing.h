#pragma once
// Black-Scholes values, greeks and implied volatilities of calls, from
// QuantLib. Only the pricing module (strategies/PricingModule.h) includes and
// links QuantLib, so nothing else pays for its headers or for loading it.
//
// The calls are valued as European options. On a stock without dividends an
// American call is never exercised early, so the values are exact; with a
// dividend yield they are the European values.
//
// Nothing here stops the program: a module that cannot be loaded is
// reported by pricingProblem(), and a price the library refuses comes back
// as NaN with the library's words in takePricingFailure().

#include <optional>
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

// The highest volatility the analysis takes, typed or implied: 1000 % a year.
constexpr double kMostVolatility = 10;

// A call's value as spotShare x spot + strikeShare + rest: a call deep in the
// money moves with the stock, and summing the stock-sized parts of all legs
// first keeps the small rest from being lost against them.
struct CallParts {
    double spotShare = 0;
    double strikeShare = 0;
    double rest = 0;

    double value(double spot) const { return spotShare * spot + strikeShare + rest; }
};

CallParts callParts(double strike, const Market &market);
// A call's value; at or after expiration its intrinsic value.
double callValue(double strike, const Market &market);
CallGreeks callGreeks(double strike, const Market &market);

// Why a call's premium gives no implied volatility.
enum class NoImplied {
    NoStockPrice, // today's stock price is not known
    NoTimeLeft, // at expiration a call is worth what it pays, at any volatility
    NotAboveIntrinsic, // at or below the least a call is worth (its intrinsic value)
    NotBelowStockPrice, // a call is always worth less than the stock
    AboveLimit, // only a volatility above 1000 % gives it
    NotFound, // the pricing library found none (its words in takePricingFailure())
};

struct ImpliedVolatility {
    std::optional<double> volatility; // a year, 0.30 for 30 %
    std::optional<NoImplied> none; // why there is none
};

// The volatility at which the call is worth `premium` in this market (its
// own volatility is not used).
ImpliedVolatility impliedVolatility(double strike, double premium, const Market &market);

// Why calls cannot be priced before expiration (the pricing module of a
// broken installation is missing); empty when they can.
std::string pricingProblem();

// The pricing library's words for the last price it refused; empty when it
// refused none since the last call.
std::string takePricingFailure();

} // namespace velmora
