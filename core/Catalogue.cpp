#include "core/Catalogue.h"

#include <QHash>

namespace velmora
{

namespace
{

FieldSpec f(const char *array, int index, const char *frame, const char *caption, FieldRole role,
    FieldKind kind = FieldKind::Typed)
{
    return {at(array, index), QString::fromUtf8(frame), QString::fromUtf8(caption), kind, role};
}

FieldSpec s(
    const char *name, const char *frame, const char *caption, FieldRole role, FieldKind kind)
{
    return {single(name), QString::fromUtf8(frame), QString::fromUtf8(caption), kind, role};
}

std::vector<GroupSpec> makeGroups()
{
    using K = FieldKind;
    using R = FieldRole;
    const char *buyStocks = "Buy (Stocks)";
    const char *sellCalls = "Sell (Calls)";
    const char *buyCalls = "Buy (Calls)";
    std::vector<GroupSpec> all;
    all.push_back({StrategyKind::CoveredCalls, QStringLiteral("fraCovered"),
        QStringLiteral("Covered  Calls"), 5800, at("Text4", 0), at("Text4", 1),
        {
            f("Text4", 0, buyStocks, "Symbol", R::StockSymbol),
            f("Text4", 1, buyStocks, "Stock Price", R::StockPrice),
            f("Text4", 2, buyStocks, "Shares", R::Shares),
            f("Text4", 3, buyStocks, "Total Amount", R::StockTotal, K::Hidden),
            f("Text5", 0, sellCalls, "Symbol", R::CallSymbol1),
            f("Text5", 1, sellCalls, "Strike Price", R::Strike1),
            f("Text5", 2, sellCalls, "Call Price", R::Premium1),
            f("Text5", 3, sellCalls, "Contracts", R::Contracts1, K::ReadOnly),
            f("Text5", 4, sellCalls, "Total Amount", R::CallTotal1, K::Hidden),
            s("txtValue", "", "Value", R::Value, K::Hidden),
            s("txtBreak", "", "Breakeven", R::BreakEven, K::Hidden),
        }});
    all.push_back({StrategyKind::RatioCalls, QStringLiteral("fraRatio"),
        QStringLiteral("Ratio  Calls"), 6200, at("txtRatioBuy", 0), at("txtRatioBuy", 1),
        {
            f("txtRatioBuy", 0, buyStocks, "Symbol", R::StockSymbol),
            f("txtRatioBuy", 1, buyStocks, "Stock Price", R::StockPrice),
            f("txtRatioBuy", 2, buyStocks, "Shares", R::Shares),
            f("txtRatioSell", 0, sellCalls, "Symbol", R::CallSymbol1),
            f("txtRatioSell", 1, sellCalls, "Strike Price", R::Strike1),
            f("txtRatioSell", 2, sellCalls, "Call Price", R::Premium1),
            s("cmbRatio", sellCalls, "Contract Ratio", R::RatioList, K::RatioList),
            f("txtRatioSell", 3, sellCalls, "", R::RatioFirst, K::Computed),
            f("txtRatioSell", 4, sellCalls, ":", R::RatioSecond, K::ReadOnly),
            f("txtRatioSell", 5, sellCalls, "Contracts ", R::Contracts1, K::ReadOnly),
        }});
    all.push_back({StrategyKind::BullSpreads, QStringLiteral("fraBull"),
        QStringLiteral("Bull Spreads"), 6400, at("Text2", 0), at("Text2", 2),
        {
            f("Text2", 0, buyCalls, "Stock Symbol", R::StockSymbol),
            f("Text2", 1, buyCalls, "Stock Price", R::StockPrice, K::Hidden),
            f("Text2", 2, buyCalls, "Call Symbol", R::CallSymbol1),
            f("Text2", 3, buyCalls, "Call Strike Price", R::Strike1),
            f("Text2", 4, buyCalls, "Call Price", R::Premium1),
            f("Text2", 5, buyCalls, "Contracts", R::Contracts1),
            f("Text3", 0, sellCalls, "Call Symbol", R::CallSymbol2),
            f("Text3", 1, sellCalls, "Call Strike Price", R::Strike2),
            f("Text3", 2, sellCalls, "Call Price", R::Premium2),
            f("Text3", 3, sellCalls, "Contracts", R::Contracts2, K::ReadOnly),
        }});
    all.push_back({StrategyKind::ButterflySpreads, QStringLiteral("fraButterfly"),
        QStringLiteral("Butterfly Spread"), 6200, at("Text6", 0), at("Text6", 2),
        {
            f("Text6", 0, "Buy Side (Calls)", "Stock Symbol", R::StockSymbol),
            f("Text6", 1, "Buy Side (Calls)", "Stock Price", R::StockPrice, K::Hidden),
            f("Text6", 2, "Buy Side (Calls)", "Call Symbol1", R::CallSymbol1),
            f("Text6", 3, "Buy Side (Calls)", "Strike Price1", R::Strike1),
            f("Text6", 4, "Buy Side (Calls)", "Call Price1", R::Premium1),
            f("Text6", 5, "Buy Side (Calls)", "Contracts1", R::Contracts1),
            f("Text7", 0, sellCalls, "Call Symbol2", R::CallSymbol2),
            f("Text7", 1, sellCalls, "Strike Price2", R::Strike2),
            f("Text7", 2, sellCalls, "Call Price2", R::Premium2),
            f("Text7", 3, sellCalls, "Contracts2", R::Contracts2, K::ReadOnly),
            f("Text8", 0, buyCalls, "Call Symbol3", R::CallSymbol3),
            f("Text8", 1, buyCalls, "Strike Price3", R::Strike3, K::ReadOnly),
            f("Text8", 2, buyCalls, "Call Price3", R::Premium3),
            f("Text8", 3, buyCalls, "Contracts3", R::Contracts3, K::ReadOnly),
        }});
    all.push_back({StrategyKind::RatioCallSpreads, QStringLiteral("fraRatioCallSpreads"),
        QStringLiteral("Ratio Call Spreads"), 6700, at("Text9", 0), at("Text9", 2),
        {
            f("Text9", 0, buyCalls, "Stock Symbol", R::StockSymbol),
            f("Text9", 1, buyCalls, "Stock Price", R::StockPrice, K::Hidden),
            f("Text9", 2, buyCalls, "Call Symbol", R::CallSymbol1),
            f("Text9", 3, buyCalls, "Call Strike Price 1", R::Strike1),
            f("Text9", 4, buyCalls, "Call Price 1", R::Premium1),
            f("Text9", 5, buyCalls, "Contracts ", R::Units),
            s("cmbratioCallSpreads", buyCalls, "Ratio", R::RatioList, K::RatioList),
            f("txtratio", 0, buyCalls, "", R::RatioFirst, K::Computed),
            f("txtratio", 1, buyCalls, ":", R::RatioSecond, K::Computed),
            f("Text9", 6, buyCalls, "Total Contracts 1", R::Contracts1, K::ComputedShownReadOnly),
            f("Text10", 0, sellCalls, "Call Symbol", R::CallSymbol2),
            f("Text10", 1, sellCalls, "Call Strike Price 2", R::Strike2),
            f("Text10", 2, sellCalls, "Call Price 2", R::Premium2),
            f("Text10", 3, sellCalls, "Total Contracts 2", R::Contracts2, K::ReadOnly),
        }});
    return all;
}

} // namespace

const QStringList &strategyNames()
{
    static const QStringList names {QStringLiteral("Covered Calls"), QStringLiteral("Ratio Calls"),
        QStringLiteral("Bull Spreads"), QStringLiteral("Butterfly Spreads"),
        QStringLiteral("Ratio Call Spreads")};
    return names;
}

const QStringList &ratioNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (int i = 0; i < kRatioCount; ++i)
            list << QStringLiteral("%1:%2").arg(i + 2).arg(i + 1);
        return list;
    }();
    return names;
}

int ratioEntry(const QString &text)
{
    return int(ratioNames().indexOf(text.trimmed()));
}

const std::vector<GroupSpec> &groups()
{
    static const std::vector<GroupSpec> all = makeGroups();
    return all;
}

const GroupSpec &group(StrategyKind kind)
{
    return groups()[static_cast<size_t>(kind)];
}

const GroupSpec &group(int listIndex)
{
    return groups()[static_cast<size_t>(listIndex)];
}

std::optional<ControlId> roleField(StrategyKind kind, FieldRole role)
{
    for (const FieldSpec &entry : group(kind).fields)
        if (entry.role == role)
            return entry.id;
    return std::nullopt;
}

ControlId field(StrategyKind kind, FieldRole role)
{
    return *roleField(kind, role);
}

bool takesFocus(const ControlId &id, int strategy)
{
    if (id == single("Text1"))
        return true;
    if (strategy < 0 || strategy >= kStrategyCount)
        return false;
    for (const FieldSpec &field : group(strategy).fields)
        if (field.id == id)
            return field.kind != FieldKind::Hidden && field.role != FieldRole::RatioFirst
                && field.role != FieldRole::RatioSecond;
    return false;
}

const std::vector<ControlId> &allTextBoxes()
{
    static const std::vector<ControlId> boxes = [] {
        std::vector<ControlId> list {single("Text1")};
        for (const GroupSpec &g : groups())
            for (const FieldSpec &field : g.fields)
                if (field.kind != FieldKind::RatioList)
                    list.push_back(field.id);
        return list;
    }();
    return boxes;
}

bool isFilteredField(const ControlId &id)
{
    static const QHash<QString, std::vector<int>> filtered {
        {QStringLiteral("Text2"), {3, 4, 5}},
        {QStringLiteral("Text3"), {1, 2}},
        {QStringLiteral("Text4"), {1, 2}},
        {QStringLiteral("Text5"), {1, 2, 3}},
        {QStringLiteral("Text6"), {1, 3, 4, 5}},
        {QStringLiteral("Text7"), {1, 2, 3}},
        {QStringLiteral("Text8"), {1, 2, 3}},
        {QStringLiteral("Text9"), {1, 3, 4, 5}},
        {QStringLiteral("Text10"), {1, 2}},
        {QStringLiteral("txtRatioBuy"), {1, 2}},
        {QStringLiteral("txtRatioSell"), {1, 2, 3, 4}},
    };
    const auto it = filtered.constFind(id.name);
    return it != filtered.cend() && std::ranges::find(*it, id.index) != it->end();
}

FieldKind fieldKind(const ControlId &id)
{
    for (const GroupSpec &g : groups())
        for (const FieldSpec &field : g.fields)
            if (field.id == id)
                return field.kind;
    return FieldKind::Typed;
}

int fieldMaxLength(const ControlId &id)
{
    // What the fields and the chart's table headers can show of a symbol.
    constexpr int kStockSymbol = 12;
    constexpr int kOptionSymbol = 21;
    if (id == single("Text1"))
        return kStockSymbol;
    if (id == at("txtRatioBuy", 2))
        return 10;
    for (const GroupSpec &g : groups()) {
        if (g.symbolField == id)
            return kStockSymbol;
        for (const FieldSpec &field : g.fields) {
            if (field.id == id && field.caption.contains(u"Symbol"))
                return kOptionSymbol;
        }
    }
    return 0;
}

} // namespace velmora
