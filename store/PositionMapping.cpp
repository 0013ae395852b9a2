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

FieldLink text(const char *column, const char *array, int index)
{
    return {QString::fromLatin1(column), at(array, index), ColumnKind::Text};
}

FieldLink number(const char *column, const char *array, int index)
{
    return {QString::fromLatin1(column), at(array, index), ColumnKind::Number};
}

FieldLink ratio(const char *list)
{
    return {QStringLiteral("ctsRo"), single(list), ColumnKind::Ratio};
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
    static const std::array<std::vector<FieldLink>, kStrategyCount> links = {{
        {
            text("lSmb", "Text4", 0),
            text("rSmb", "Text5", 0),
            number("stoP", "Text4", 1),
            number("strP1", "Text5", 1),
            number("shr", "Text4", 2),
            number("cp1", "Text5", 2),
            number("cts1", "Text5", 3),
        },
        {
            text("lSmb", "txtRatioBuy", 0),
            text("rSmb", "txtRatioSell", 0),
            number("stoP", "txtRatioBuy", 1),
            number("strP1", "txtRatioSell", 1),
            number("shr", "txtRatioBuy", 2),
            number("cp1", "txtRatioSell", 2),
            ratio("cmbRatio"),
            number("cts1", "txtRatioSell", 5),
        },
        {
            text("lSmb", "Text2", 0),
            text("cSym1", "Text2", 2),
            text("cSym2", "Text3", 0),
            number("strP1", "Text2", 3),
            number("strP2", "Text3", 1),
            number("cp1", "Text2", 4),
            number("cp2", "Text3", 2),
            number("cts1", "Text2", 5),
            number("cts2", "Text3", 3),
        },
        {
            text("lSmb", "Text6", 0),
            text("cSym1", "Text6", 2),
            text("cSym2", "Text7", 0),
            text("cSym3", "Text8", 0),
            number("strP1", "Text6", 3),
            number("strP2", "Text7", 1),
            number("strP3", "Text8", 1),
            number("cp1", "Text6", 4),
            number("cp2", "Text7", 2),
            number("cp3", "Text8", 2),
            number("cts1", "Text6", 5),
            number("cts2", "Text7", 3),
            number("cts3", "Text8", 3),
        },
        {
            text("lSmb", "Text9", 0),
            text("cSym1", "Text9", 2),
            text("cSym2", "Text10", 0),
            number("strP1", "Text9", 3),
            number("strP2", "Text10", 1),
            number("cp1", "Text9", 4),
            number("cp2", "Text10", 2),
            number("cts1", "Text9", 5),
            ratio("cmbratioCallSpreads"),
            number("tcts1", "Text9", 6),
            number("tcts2", "Text10", 3),
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
    return link.field.name == u"cmbRatio";
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
