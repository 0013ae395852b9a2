// Bull Spreads: one long call at the lower strike, one short call at the
// higher. The picture is schematic: the line has the same shape for every
// position; only the labels and the table carry amounts.

#include "chart/GraphBase.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "strategies/CallLegs.h"
#include "strategies/ChartPen.h"
#include "strategies/ChartRequest.h"
#include "strategies/CheckMessage.h"
#include "strategies/ValueTable.h"

namespace velmora
{

namespace
{

constexpr StrategyKind kKind = StrategyKind::BullSpreads;
const ControlId kBuyStrike = field(kKind, FieldRole::Strike1);
const ControlId kBuyPrice = field(kKind, FieldRole::Premium1);
const ControlId kBuyContracts = field(kKind, FieldRole::Contracts1);
const ControlId kSellStrike = field(kKind, FieldRole::Strike2);
const ControlId kSellPrice = field(kKind, FieldRole::Premium2);
const ControlId kSellContracts = field(kKind, FieldRole::Contracts2);
const ControlId kSymbol = single("Text1");

std::optional<Refusal> check(const Workspace &f)
{
    using namespace MsgStyle;
    if (isEmptyNumber(f.text(kBuyStrike)))
        return checkMessage(
            "Call Strike Price should not be left Empty.", Stop, "Please", kBuyStrike);
    if (isEmptyNumber(f.text(kBuyPrice)))
        return checkMessage("Call Price should not be Left Empty.", Stop, "Please", kBuyPrice);
    if (isEmptyNumber(f.text(kBuyContracts)))
        return checkMessage(
            "Contracts should not be Left Empty.", Stop, "Attention", kBuyContracts);
    if (isEmptyNumber(f.text(kSellStrike)))
        return checkMessage(
            "Call Strike Price should not be Left Empty.", Stop, "Attention", kSellStrike);
    if (isEmptyNumber(f.text(kSellPrice)))
        return checkMessage("Call Price should not be Left Empty.", Stop, "Attention", kSellPrice);
    if (!(f.number(kBuyStrike) < f.number(kSellStrike)))
        return checkMessage(" Sell Strike Price should be Greater than Buy Strike Price.",
            Information, "Attention", kSellStrike, true);
    if (!(f.number(kSellPrice) < f.number(kBuyPrice)))
        return checkMessage("Buy Call Price should be Greater than Sell Call Price.", Information,
            "Attention", kSellPrice, true);
    if (!(f.number(kBuyStrike) > f.number(kBuyPrice)))
        return checkMessage("Buy Call Price should be less than Buy Strike Price.", Information,
            "Attention", kBuyPrice, true);
    return std::nullopt;
}

} // namespace

std::optional<Refusal> bullSpreadsChart(StrategyContext &context)
{
    const Workspace &f = context.fields;
    if (auto refused = check(f))
        return refused;

    const double k1 = f.number(kBuyStrike);
    const double p1 = f.number(kBuyPrice);
    const double n1 = f.number(kBuyContracts);
    const double k2 = f.number(kSellStrike);
    const double p2 = f.number(kSellPrice);
    const double n2 = f.number(kSellContracts);

    // Worked out before anything is drawn, so an overflow stops the request
    // with the surface untouched.
    const double debit = ChartPen::finite(p1 - p2);
    const double maxLoss = ChartPen::finite(r2(-(n2 * debit) * 100));
    const double breakEven = ChartPen::finite(k1 + debit);
    const double maxProfit = ChartPen::finite((k2 - k1 - debit) * n2 * 100);

    ChartPen &pen = context.pen;
    drawGraphBase(pen.surface());
    const double y0 = pen.y0();
    const double xc = pen.xc();

    pen.printAt(xc, y0 - 100, "|");
    pen.printNumberAt(xc, y0 + 100, breakEven);
    pen.printAt(xc, y0 + 300, "(Break Even Point)");
    pen.printAt(xc - 3000, y0 - 100, "|");
    pen.printAt(xc - 3000, y0 + 100, f.text(kBuyStrike));
    pen.printAt(xc + 3000, y0 - 100, "|");
    pen.printAt(xc + 3000, y0 + 100, f.text(kSellStrike));

    pen.bold(true);
    const int leftX = ChartPen::whole(xc - 3000);
    const int rightX = ChartPen::whole(xc + 3000);
    const int lossY = ChartPen::whole(y0 + 2000);
    const int profitY = ChartPen::whole(y0 - 2000);
    pen.line(leftX, lossY, rightX, profitY, ChartColour::PayoffRed);
    pen.line(leftX, lossY, ChartPen::whole(xc - 5000), lossY, ChartColour::PayoffRed);
    pen.line(rightX, profitY, ChartPen::whole(xc + 5000), profitY, ChartColour::PayoffRed);

    pen.printAt(930, y0 - 2400, "__");
    pen.printNumberAt(1150, y0 - 2350, maxProfit);
    pen.printAt(930, y0 + 1800, "__");
    pen.printNumberAt(1150, y0 + 1850, maxLoss);

    const ValueTable table {
        {{5500, f.text(kSymbol) + QStringLiteral(" at"), "Expiration($)"},
            {7500, f.text(kBuyStrike) + QStringLiteral(" Call"), "Profit/Loss($)"},
            {9500, f.text(kSellStrike) + QStringLiteral(" Call"), "Profit/Loss($)"},
            {11500, "Total", "Profit/Loss($)"}},
        5500, 12500};
    table.drawHeader(pen); // leaves bold type off

    // Typed strikes stay as typed; computed prices are printed 50 further
    // left so that the digits line up behind the number's leading blank.
    pen.printAt(5500, y0 + 3200, f.text(kBuyStrike), TableCellAt::value(0, 0));
    pen.printNumberAt(5450, y0 + 3600, breakEven, TableCellAt::value(1, 0));
    pen.printAt(5500, y0 + 4000, f.text(kSellStrike), TableCellAt::value(2, 0));
    const double fourthPrice = r2(k2 + (k2 - k1));
    pen.printNumberAt(5450, y0 + 4400, fourthPrice, TableCellAt::value(3, 0));

    ChartMemory &memory = context.memory;
    const double rows[][2]
        = {{k1, y0 + 3200}, {breakEven, y0 + 3600}, {k2, y0 + 4000}, {fourthPrice, y0 + 4400}};
    int row = 0;
    for (const auto &[price, y] : rows) {
        memory.leg1Value = longCalls(price, k1, p1, n1);
        memory.leg2Value = shortCalls(price, k2, p2, n2);
        memory.totalValue = memory.leg1Value + memory.leg2Value;
        pen.printNumberAt(7500, y, memory.leg1Value, TableCellAt::value(row, 1));
        pen.printNumberAt(9500, y, memory.leg2Value, TableCellAt::value(row, 2));
        pen.printNumberAt(11500, y, memory.totalValue, TableCellAt::value(row, 3));
        ++row;
    }

    table.drawRule(pen, y0 + 5000);
    pen.disclaimer();
    return std::nullopt;
}

} // namespace velmora
