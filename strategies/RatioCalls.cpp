#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "strategies/ChartPen.h"
#include "strategies/ChartRequest.h"
#include "strategies/CheckMessage.h"
#include "strategies/StockWithCalls.h"
#include "strategies/ValueTable.h"

#include "chart/GraphBase.h"

namespace velmora
{

namespace
{

constexpr StrategyKind kKind = StrategyKind::RatioCalls;
const ControlId kStockPrice = field(kKind, FieldRole::StockPrice);
const ControlId kShares = field(kKind, FieldRole::Shares);
const ControlId kStrike = field(kKind, FieldRole::Strike1);
const ControlId kCallPrice = field(kKind, FieldRole::Premium1);
const ControlId kContracts = field(kKind, FieldRole::Contracts1);
const ControlId kRatio = field(kKind, FieldRole::RatioList);
const ControlId kSymbol = single("Text1");

// The checks, with the ratio sizing run among them: the break-even check
// reads what the sizing has just worked out.
std::optional<Refusal> checkAndSize(Workspace &f)
{
    const auto empty = [&f](const ControlId &id) { return isEmptyNumber(f.text(id)); };
    if (empty(kStockPrice))
        return attention("Stock Price should not be Left Empty.", kStockPrice);
    if (empty(kShares))
        return attention("Shares should not be Left Empty. ", kShares);
    if (empty(kStrike))
        return attention("Strike Price should not be Left Empty.", kStrike);
    if (empty(kCallPrice))
        return attention("Call Price should not be Left Empty.", kCallPrice);
    // The contracts are sized from the list's entry, also after New emptied
    // the ratio's number boxes.
    if (!f.ratioFromList())
        return attention("Contract Ratio should not be Left Empty.", kRatio);
    if (auto refusal = f.valRatioStrike())
        return refusal;
    if (!f.chkRatioContracts())
        return attention("Contracts cannot be in Decimals.", kShares, true);
    f.newValues();
    f.calRatioPMaxProfit();
    f.calRatioBreakevenPoint();
    if (!(f.ratio().lowBreakEven > 0))
        return attention("Error in Break Even Point", std::nullopt);
    return std::nullopt;
}

void drawChart(StrategyContext &context)
{
    const Workspace &f = context.fields;
    ChartPen &pen = context.pen;
    const RatioFigures &figures = f.ratio();

    drawGraphBase(pen.surface());
    pen.printAt(pen.xc(), pen.y0() - 100, "|");
    pen.printAt(pen.xc(), pen.y0() + 100, f.text(kStrike));

    const int peakX = ChartPen::whole(pen.xc());
    const int peakY = ChartPen::whole(pen.y0() - 3000);
    pen.printNumberAt(pen.xc() - 100, pen.y0() - 3200, figures.ratioMaxProfit);

    pen.printAt(pen.xc() - 3000, pen.y0() - 100, "|");
    const int lowX = ChartPen::whole(pen.xc() - 3000 - 1000);
    const int lowY = ChartPen::whole(pen.y0() + 100 - 100 + 1000);
    pen.printNumberAt(pen.xc() - 3000, pen.y0() + 100, figures.lowBreakEven);

    const int highX = ChartPen::whole(pen.xc() + 3000 + 1000);
    const int highY = ChartPen::whole(pen.y0() - 100 + 100 + 1000);
    pen.printAt(pen.xc() + 3000, pen.y0() - 100, "|");
    pen.printNumberAt(pen.xc() + 3000, pen.y0() + 100, figures.highBreakEven);

    pen.line(peakX, peakY, lowX, lowY, ChartColour::PayoffRed);
    pen.line(peakX, peakY, highX, highY, ChartColour::PayoffRed);

    const ValueTable frame {
        {{3500, f.text(kSymbol) + QStringLiteral(" at"), QStringLiteral("Expiration($)")},
            {5500, QStringLiteral("Stock"), QStringLiteral("Profit/Loss($)")},
            {7500, QStringLiteral("Call"), QStringLiteral("Profit/Loss($)")},
            {9500, QStringLiteral("Total"), QStringLiteral("Profit/Loss($)")}},
        3500,
        10500,
    };
    frame.drawHeader(pen);

    const double low = figures.lowBreakEven;
    const double high = figures.highBreakEven;
    const double strike = f.number(kStrike);
    context.memory.rowPrices = {r2(low > 10 ? low - 5 : low / 2), r2(low), r2(strike), r2(high),
        r2(high + (high - strike) / 2)};
    const StockWithCalls position {f.number(kStockPrice), f.number(kShares), strike,
        f.number(kCallPrice), f.number(kContracts)};
    for (int row = 0; row < 5; ++row) {
        const double price = context.memory.rowPrices[row];
        const LegResults legs = position.at(price);
        // The break-even rows show a total of 0 by definition.
        const bool breakEvenRow = row == 1 || row == 3;
        frame.drawRow(pen, row, pen.y0() + 3200 + 400 * row,
            {TableCell::rounded(price), TableCell::rounded(legs.stock),
                TableCell::rounded(legs.call),
                TableCell::rounded(breakEvenRow ? 0.0 : legs.total)});
    }
    frame.drawRule(pen, pen.y0() + 5000);
    pen.disclaimer();
}

} // namespace

std::optional<Refusal> ratioCallsChart(StrategyContext &context)
{
    if (auto refusal = checkAndSize(context.fields))
        return refusal;
    drawChart(context);
    return std::nullopt;
}

} // namespace velmora
