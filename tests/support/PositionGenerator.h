#pragma once
// Generated positions for the property tests: a seeded random source that
// draws the same numbers with every standard library, and positions that
// pass every check of their strategy, typed field by field.

#include "core/Catalogue.h"
#include "core/ControlId.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace velmora::generator
{

// The raw output of mt19937 is the same with every standard library; the
// distributions are not, so the test draws from the engine itself.
class Rng
{
public:
    explicit Rng(std::uint32_t seed)
        : m_engine(seed)
    {
    }

    int below(int n) { return int(m_engine() % std::uint32_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    const QString &pick(const QStringList &list) { return list.at(below(int(list.size()))); }

private:
    std::mt19937 m_engine;
};

// A price with 0, 1 or 2 decimals, its whole part between low and high.
inline QString price(Rng &rng, int low, int high)
{
    QString out = QString::number(rng.between(low, high));
    switch (rng.below(3)) {
    case 0:
        return out;
    case 1:
        return out + u'.' + QString::number(rng.below(10));
    default:
        return out + QStringLiteral(".%1").arg(rng.below(100), 2, 10, QChar(u'0'));
    }
}

// An amount of cents in dollars: "12", "12.05".
inline QString dollars(int cents)
{
    if (cents % 100 == 0)
        return QString::number(cents / 100);
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QChar(u'0'));
}

// A position that passes every check of its strategy, typed field by field.
inline std::vector<std::pair<ControlId, QString>> ordinary(Rng &rng, StrategyKind kind, int ratio)
{
    const QString symbol = rng.pick({"IBM", "XYZ", "", "msft", "BRK.B", QString(300, u'A')});
    const int k1 = rng.between(1000, 30000);
    const int k2 = k1 + rng.between(1, 4000);
    const QString units = QString::number(rng.between(1, 30));
    switch (kind) {
    case StrategyKind::CoveredCalls: {
        const int s = rng.between(100, 30000);
        return {{at("Text4", 0), symbol}, {at("Text4", 1), dollars(s)},
            {at("Text4", 2), QString::number(100 * rng.between(1, 50))}, {at("Text5", 0), symbol},
            {at("Text5", 1), dollars(s + rng.between(1, 4000))},
            {at("Text5", 2), dollars(rng.between(1, s - 1))}};
    }
    case StrategyKind::RatioCalls: {
        // Shares in whole lots of the ratio, and a premium small enough to
        // keep the lower break-even above 0 at 2:1.
        const int lot = 100 * (ratio + 1);
        const int s = rng.between(500, 30000);
        return {{at("txtRatioBuy", 0), symbol}, {at("txtRatioBuy", 1), dollars(s)},
            {at("txtRatioBuy", 2), QString::number(lot * rng.between(1, 20))},
            {at("txtRatioSell", 0), symbol},
            {at("txtRatioSell", 1), dollars(s + rng.between(1, 4000))},
            {at("txtRatioSell", 2), dollars(rng.between(1, s * 45 / 100))}};
    }
    case StrategyKind::BullSpreads: {
        const int p1 = rng.between(2, k1 * 40 / 100);
        return {{at("Text2", 0), symbol}, {at("Text2", 2), symbol}, {at("Text2", 3), dollars(k1)},
            {at("Text2", 4), dollars(p1)}, {at("Text2", 5), units}, {at("Text3", 0), symbol},
            {at("Text3", 1), dollars(k2)}, {at("Text3", 2), dollars(rng.between(1, p1 - 1))}};
    }
    case StrategyKind::ButterflySpreads: {
        const int p1 = rng.between(3, k1 * 40 / 100);
        const int p2 = rng.between(2, p1 - 1);
        return {{at("Text6", 0), symbol}, {at("Text6", 2), symbol}, {at("Text6", 3), dollars(k1)},
            {at("Text6", 4), dollars(p1)}, {at("Text6", 5), units}, {at("Text7", 0), symbol},
            {at("Text7", 1), dollars(k2)}, {at("Text7", 2), dollars(p2)}, {at("Text8", 0), symbol},
            {at("Text8", 2), dollars(rng.between(1, p2 - 1))}};
    }
    case StrategyKind::RatioCallSpreads: {
        const int p1 = rng.between(2, k1 * 40 / 100);
        return {{at("Text9", 0), symbol}, {at("Text9", 2), symbol}, {at("Text9", 3), dollars(k1)},
            {at("Text9", 4), dollars(p1)}, {at("Text9", 5), units}, {at("Text10", 0), symbol},
            {at("Text10", 1), dollars(k2)}, {at("Text10", 2), dollars(rng.between(1, p1 - 1))}};
    }
    }
    return {};
}

} // namespace velmora::generator
