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

Legs positionLegs(const Workspace &f)
{
    if (f.strategy() < 0 || f.strategy() >= kStrategyCount)
        return {};
    const auto kind = StrategyKind(f.strategy());
    const auto number = [&](FieldRole role) { return f.number(field(kind, role)); };
    Legs legs;
    // A position with stock sells its calls against it; a spread buys the
    // lowest and highest strikes and sells the one between.
    const bool withStock = roleField(kind, FieldRole::Shares).has_value();
    if (withStock)
        legs.push_back(Leg::stock(number(FieldRole::Shares), number(FieldRole::StockPrice)));
    constexpr FieldRole calls[][3] = {
        {FieldRole::Strike1, FieldRole::Premium1, FieldRole::Contracts1},
        {FieldRole::Strike2, FieldRole::Premium2, FieldRole::Contracts2},
        {FieldRole::Strike3, FieldRole::Premium3, FieldRole::Contracts3},
    };
    for (std::size_t n = 0; n < std::size(calls); ++n) {
        const auto &[strike, premium, contracts] = calls[n];
        if (!roleField(kind, strike))
            break;
        const bool sold = withStock || n == 1;
        const double count = number(contracts);
        legs.push_back(Leg::calls(sold ? -count : count, number(strike), number(premium)));
    }
    return legs;
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
