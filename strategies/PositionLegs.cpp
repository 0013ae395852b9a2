#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "strategies/Leg.h"

#include <QStringList>

#include <cmath>
#include <iterator>

namespace velmora
{

// The shares that move with the stock at this price are summed apart from
// the fixed amounts, so that legs worth millions each cannot cancel a cent
// away far above the strikes.
double expiryProfit(const Legs &legs, double price)
{
    double movingShares = 0, fixed = 0;
    for (const Leg &leg : legs) {
        fixed -= leg.shares * leg.entryPrice;
        if (leg.kind == Leg::Kind::Stock || price > leg.strike) {
            movingShares += leg.shares;
            fixed -= leg.kind == Leg::Kind::Stock ? 0.0 : leg.shares * leg.strike;
        }
    }
    return movingShares * price + fixed;
}

namespace
{

// Calls as their group's fields hold them: contracts, strike, premium.
Leg callsFrom(const Workspace &f, const ControlId &contracts, const ControlId &strike,
    const ControlId &premium, bool sold)
{
    const double count = f.number(contracts);
    return Leg::calls(sold ? -count : count, f.number(strike), f.number(premium));
}

} // namespace

Legs positionLegs(const Workspace &f)
{
    switch (StrategyKind(f.strategy())) {
    case StrategyKind::CoveredCalls:
        return {Leg::stock(f.number(at("Text4", 2)), f.number(at("Text4", 1))),
            callsFrom(f, at("Text5", 3), at("Text5", 1), at("Text5", 2), true)};
    case StrategyKind::RatioCalls:
        return {Leg::stock(f.number(at("txtRatioBuy", 2)), f.number(at("txtRatioBuy", 1))),
            callsFrom(
                f, at("txtRatioSell", 5), at("txtRatioSell", 1), at("txtRatioSell", 2), true)};
    case StrategyKind::BullSpreads:
        return {callsFrom(f, at("Text2", 5), at("Text2", 3), at("Text2", 4), false),
            callsFrom(f, at("Text3", 3), at("Text3", 1), at("Text3", 2), true)};
    case StrategyKind::ButterflySpreads:
        return {callsFrom(f, at("Text6", 5), at("Text6", 3), at("Text6", 4), false),
            callsFrom(f, at("Text7", 3), at("Text7", 1), at("Text7", 2), true),
            callsFrom(f, at("Text8", 3), at("Text8", 1), at("Text8", 2), false)};
    case StrategyKind::RatioCallSpreads:
        return {callsFrom(f, at("Text9", 6), at("Text9", 3), at("Text9", 4), false),
            callsFrom(f, at("Text10", 3), at("Text10", 1), at("Text10", 2), true)};
    }
    return {};
}

std::optional<double> positionStockPrice(const Legs &legs)
{
    for (const Leg &leg : legs)
        if (leg.kind == Leg::Kind::Stock && leg.entryPrice > 0)
            return leg.entryPrice;
    return std::nullopt;
}

QString legsSummary(const Legs &legs)
{
    const auto number = [](double v) { return QString::number(v, 'g', 12); };
    QStringList parts;
    for (const Leg &leg : legs) {
        const double count = leg.kind == Leg::Kind::Stock ? leg.shares : leg.shares / 100;
        const QString sign = count < 0 ? QStringLiteral("\u2212") : QStringLiteral("+");
        const QString what
            = leg.kind == Leg::Kind::Stock ? QString() : QStringLiteral(" C") + number(leg.strike);
        parts << sign + number(std::abs(count)) + what + QStringLiteral(" @ ")
                + number(leg.entryPrice);
    }
    return parts.join(QStringLiteral(", "));
}

QString positionTitle(const Workspace &f)
{
    static const char *const kinds[]
        = {"covered call", "ratio call", "bull spread", "butterfly spread", "ratio call spread"};
    const int strategy = f.strategy();
    const QString kind = strategy >= 0 && strategy < int(std::size(kinds))
        ? QLatin1String(kinds[strategy])
        : QString();
    const QString symbol = f.text(single("Text1")).trimmed();
    const QString name = symbol.isEmpty() ? kind : symbol + u' ' + kind;
    const QString legs = legsSummary(positionLegs(f));
    return name.isEmpty() ? legs : name + QStringLiteral(": ") + legs;
}

} // namespace velmora
