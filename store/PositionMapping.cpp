#include "store/PositionMapping.h"

#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "core/Workspace.h"

#include <QDateTime>

#include <array>

namespace velmora
{

namespace
{

// A column holds the field that plays its role in the strategy's group:
// symbols as text, the ratio list by its entry, everything else as a number.
FieldLink link(StrategyKind kind, const char *column, FieldRole role)
{
    const bool symbol = role == FieldRole::StockSymbol || role == FieldRole::CallSymbol1
        || role == FieldRole::CallSymbol2 || role == FieldRole::CallSymbol3;
    const ColumnKind columnKind = role == FieldRole::RatioList ? ColumnKind::Ratio
        : symbol                                               ? ColumnKind::Text
                                                               : ColumnKind::Number;
    return {QString::fromLatin1(column), field(kind, role), columnKind};
}

LoadStep guarded(const char *column)
{
    return {QString::fromLatin1(column), NullRule::Guarded};
}

LoadStep plain(const char *column)
{
    return {QString::fromLatin1(column), NullRule::Empty};
}

const std::array<std::vector<FieldLink>, kStrategyCount> &allLinks()
{
    using R = FieldRole;
    constexpr auto covered = StrategyKind::CoveredCalls, ratio = StrategyKind::RatioCalls,
                   bull = StrategyKind::BullSpreads, fly = StrategyKind::ButterflySpreads,
                   spread = StrategyKind::RatioCallSpreads;
    static const std::array<std::vector<FieldLink>, kStrategyCount> links = {{
        {
            link(covered, "lSmb", R::StockSymbol),
            link(covered, "rSmb", R::CallSymbol1),
            link(covered, "stoP", R::StockPrice),
            link(covered, "strP1", R::Strike1),
            link(covered, "shr", R::Shares),
            link(covered, "cp1", R::Premium1),
            link(covered, "cts1", R::Contracts1),
        },
        {
            link(ratio, "lSmb", R::StockSymbol),
            link(ratio, "rSmb", R::CallSymbol1),
            link(ratio, "stoP", R::StockPrice),
            link(ratio, "strP1", R::Strike1),
            link(ratio, "shr", R::Shares),
            link(ratio, "cp1", R::Premium1),
            link(ratio, "ctsRo", R::RatioList),
            link(ratio, "cts1", R::Contracts1),
        },
        {
            link(bull, "lSmb", R::StockSymbol),
            link(bull, "cSym1", R::CallSymbol1),
            link(bull, "cSym2", R::CallSymbol2),
            link(bull, "strP1", R::Strike1),
            link(bull, "strP2", R::Strike2),
            link(bull, "cp1", R::Premium1),
            link(bull, "cp2", R::Premium2),
            link(bull, "cts1", R::Contracts1),
            link(bull, "cts2", R::Contracts2),
        },
        {
            link(fly, "lSmb", R::StockSymbol),
            link(fly, "cSym1", R::CallSymbol1),
            link(fly, "cSym2", R::CallSymbol2),
            link(fly, "cSym3", R::CallSymbol3),
            link(fly, "strP1", R::Strike1),
            link(fly, "strP2", R::Strike2),
            link(fly, "strP3", R::Strike3),
            link(fly, "cp1", R::Premium1),
            link(fly, "cp2", R::Premium2),
            link(fly, "cp3", R::Premium3),
            link(fly, "cts1", R::Contracts1),
            link(fly, "cts2", R::Contracts2),
            link(fly, "cts3", R::Contracts3),
        },
        {
            // The ratio units are kept in cts1, the contracts they make in tcts1/2.
            link(spread, "lSmb", R::StockSymbol),
            link(spread, "cSym1", R::CallSymbol1),
            link(spread, "cSym2", R::CallSymbol2),
            link(spread, "strP1", R::Strike1),
            link(spread, "strP2", R::Strike2),
            link(spread, "cp1", R::Premium1),
            link(spread, "cp2", R::Premium2),
            link(spread, "cts1", R::Units),
            link(spread, "ctsRo", R::RatioList),
            link(spread, "tcts1", R::Contracts1),
            link(spread, "tcts2", R::Contracts2),
        },
    }};
    return links;
}

const std::array<std::vector<LoadStep>, kStrategyCount> &allSteps()
{
    static const std::array<std::vector<LoadStep>, kStrategyCount> steps = {{
        {plain("lSmb"), plain("stoP"), plain("shr"), plain("rSmb"), plain("strP1"), plain("cp1"),
            plain("cts1")},
        {plain("lSmb"), plain("stoP"), plain("shr"), plain("rSmb"), plain("strP1"), plain("cp1"),
            plain("ctsRo"), plain("cts1")},
        {guarded("lSmb"), guarded("cSym1"), plain("strP1"), plain("cp1"), plain("cts1"),
            guarded("cSym2"), plain("strP2"), plain("cp2"), plain("cts2")},
        {guarded("lSmb"), guarded("cSym1"), plain("strP1"), plain("cp1"), plain("cts1"),
            guarded("cSym2"), plain("strP2"), plain("cp2"), plain("cts2"), guarded("cSym3"),
            plain("strP3"), plain("cp3"), plain("cts3")},
        {plain("lSmb"), guarded("cSym1"), plain("strP1"), plain("cp1"), plain("cts1"),
            plain("ctsRo"), plain("tcts1"), guarded("cSym2"), plain("strP2"), plain("cp2"),
            plain("tcts2")},
    }};
    return steps;
}

bool isStrategy(int strategy)
{
    return strategy >= 0 && strategy < kStrategyCount;
}

const FieldLink *linkOf(int strategy, const QString &column)
{
    for (const FieldLink &link : allLinks()[strategy]) {
        if (link.column == column)
            return &link;
    }
    return nullptr;
}

// The ratio column is written from, and read into, the list of Ratio Calls
// or the one of Ratio Call Spreads.
bool isRatioCallsList(const FieldLink &link)
{
    return link.field == field(StrategyKind::RatioCalls, FieldRole::RatioList);
}

} // namespace

const std::vector<FieldLink> &fieldLinks(int strategy)
{
    static const std::vector<FieldLink> none;
    return isStrategy(strategy) ? allLinks()[strategy] : none;
}

const std::vector<LoadStep> &loadSteps(int strategy)
{
    static const std::vector<LoadStep> none;
    return isStrategy(strategy) ? allSteps()[strategy] : none;
}

PositionRow rowFromWorkspace(const Workspace &workspace, int strategy, const QString &name)
{
    PositionRow row;
    row.strategy = strategy;
    row.name = name.trimmed();
    row.savedAt = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    for (const FieldLink &link : fieldLinks(strategy)) {
        QString value;
        switch (link.kind) {
        case ColumnKind::Text:
            value = workspace.text(link.field).trimmed();
            break;
        case ColumnKind::Number:
            value = numberText(fieldNumber(workspace.text(link.field)));
            break;
        case ColumnKind::Ratio:
            // No choice (-1) is written as an empty text.
            value = ratioNames().value(
                isRatioCallsList(link) ? workspace.ratioIndex() : workspace.ratioSpreadIndex());
            break;
        }
        row.values.push_back({link.column, value});
    }
    return row;
}

bool loadRow(const PositionRow &row, Workspace &workspace)
{
    if (!isStrategy(row.strategy))
        return false;
    workspace.setStrategy(row.strategy);
    for (const LoadStep &step : loadSteps(row.strategy)) {
        const FieldLink *link = linkOf(row.strategy, step.column);
        const std::optional<QString> value = row.value(step.column);
        if (!value && step.rule == NullRule::Guarded)
            continue;
        if (link->kind == ColumnKind::Ratio) {
            // Chosen as with the mouse, so its number boxes are filled even
            // when the list already shows it (they are empty after New). A
            // ratio not in the list leaves the choice as it was.
            const int entry = ratioEntry(value.value_or(QString()));
            if (isRatioCallsList(*link))
                workspace.chooseRatio(entry);
            else
                workspace.chooseRatioSpread(entry);
        } else {
            workspace.setText(link->field, value.value_or(QString()));
        }
    }
    return true;
}

} // namespace velmora
