// Ratio Call Spreads: D calls bought at K1 for every N sold at K2 (ratio
// N:D). The strikes and the break-even stand at fixed places; the picture is
// schematic and only the labels and the table carry amounts.

#include "chart/GraphBase.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "strategies/CallLegs.h"
#include "strategies/ChartPen.h"
#include "strategies/ChartRequest.h"
#include "strategies/CheckMessage.h"
#include "strategies/ValueTable.h"

#include <cmath>

namespace velmora
{

namespace
{

void chRatioCallSpreads(StrategyContext &context);

constexpr StrategyKind kKind = StrategyKind::RatioCallSpreads;
const ControlId kStrike1 = field(kKind, FieldRole::Strike1);
const ControlId kPrice1 = field(kKind, FieldRole::Premium1);
const ControlId kUnits = field(kKind, FieldRole::Units);
const ControlId kTotal1 = field(kKind, FieldRole::Contracts1);
const ControlId kStrike2 = field(kKind, FieldRole::Strike2);
const ControlId kPrice2 = field(kKind, FieldRole::Premium2);
const ControlId kTotal2 = field(kKind, FieldRole::Contracts2);
const ControlId kSold = field(kKind, FieldRole::RatioFirst);
const ControlId kBought = field(kKind, FieldRole::RatioSecond);
const ControlId kRatioList = field(kKind, FieldRole::RatioList);
const ControlId kSymbol = single("Text1");

std::optional<Refusal> check(Workspace &f)
{
    // The totals follow the list's entry, also after New emptied its boxes.
    f.ratioSpreadFromList();
    using MsgStyle::Stop;
    const char *title = "Attention";
    if (isEmptyNumber(f.text(kStrike1)))
        return checkMessage("Call Strike Price1 should not be Left Empty.", Stop, title, kStrike1);
    if (isEmptyNumber(f.text(kStrike2)))
        return checkMessage("Call Strike Price2 should not be Left Empty.", Stop, title, kStrike2);
    if (isEmptyNumber(f.text(kPrice1)))
        return checkMessage("Call Price1 should not be Left Empty.", Stop, title, kPrice1);
    if (isEmptyNumber(f.text(kPrice2)))
        return checkMessage("Call Price2 should be not Left Empty.", Stop, title, kPrice2);
    if (isEmptyNumber(f.text(kUnits)))
        return checkMessage("Contracts should not be Left Empty.", Stop, title, kUnits);
    if (isEmptyNumber(f.text(kTotal1)))
        return checkMessage("Contracts1 should not be Left Empty.", Stop, title, kTotal1);
    if (f.ratioSpreadIndex() < 0)
        return checkMessage("Ratio should not be Left Empty.", Stop, title, kRatioList);
    if (f.number(kStrike1) >= f.number(kStrike2))
        return checkMessage("Call Strike Price2 should be Greater than Call Strike Price1", Stop,
            title, std::nullopt);
    if (f.number(kPrice1) <= f.number(kPrice2))
        return checkMessage(
            "Call Price2 should be Less than Call Price1", Stop, title, std::nullopt);
    // The totals are fields and can be typed over; the break-even divides by
    // their difference, and a spread that sells no more calls than it buys
    // has no upper break-even at all.
    if (!(f.number(kTotal2) > f.number(kTotal1)))
        return checkMessage(
            "Total Contracts 2 should be Greater than Total Contracts 1.", Stop, title, kTotal1);
    return std::nullopt;
}

// A number as it reads back from its own decimal text.
double readBack(double value)
{
    return fieldNumber(numberText(value));
}

struct BreakEvenCase {
    double markerX;
    double endDx;
    double endDy;
};

// The distances are compared as the decimals they stand for: in binary
// 30.3 − 25.2 comes out a hair above 25.2 − 20.1.
BreakEvenCase breakEvenCase(double distance, double strikeWidth)
{
    const double e = readBack(distance);
    const double sw = readBack(strikeWidth);
    if (e == sw)
        return {11500, 1500, 1450};
    if (e > sw)
        return {12500, 3200, 2500};
    return {10500, 1900, 2500};
}

} // namespace

std::optional<Refusal> ratioCallSpreadsChart(StrategyContext &context)
{
    if (auto refused = check(context.fields))
        return refused;
    const Workspace &f = context.fields;

    const double k1 = f.number(kStrike1);
    const double p1 = f.number(kPrice1);
    const double t1 = f.number(kTotal1);
    const double k2 = f.number(kStrike2);
    const double p2 = f.number(kPrice2);
    const double t2 = f.number(kTotal2);

    // Worked out before anything is drawn, so an overflow stops the request
    // with the surface untouched.
    const double credit = settledPremium(ChartPen::finite((t2 * p2 - t1 * p1) * 100));
    const double maxProfit = ChartPen::finite(credit + t1 * (k2 - k1) * 100);
    ChartMemory &m = context.memory;
    m.spreadBreakEven = ChartPen::finite(k2 + (maxProfit / 100) / (t2 - t1));

    ChartPen &pen = context.pen;
    drawGraphBase(pen.surface());
    const double y0 = pen.y0();

    pen.printAt(3500, y0 - 100, "|");
    pen.printAt(3500, y0 + 100, f.text(kStrike1));
    pen.printAt(7500, y0 - 100, "|");
    pen.printAt(7500, y0 + 100, f.text(kStrike2));

    const int peakX = ChartPen::whole(7500);
    const int peakY = ChartPen::whole(y0 - 4000);

    pen.printAt(900, y0 - 4200, "__");
    pen.printNumberAt(1100, y0 - 4100, maxProfit);
    pen.printAt(100, y0 - 4200, "Max");
    pen.printAt(100, y0 - 4000, "Profit");

    m.spreadStrikeWidth = k2 - k1;
    m.spreadBreakEvenDistance = readBack(m.spreadBreakEven) - k2;

    const BreakEvenCase place = breakEvenCase(m.spreadBreakEvenDistance, m.spreadStrikeWidth);
    pen.printAt(place.markerX, y0 - 100, "|");
    pen.printNumberAt(place.markerX, y0 + 100, m.spreadBreakEven);
    // From the marker's "|" at y0 - 100, back to the axis and on down.
    const int endX = ChartPen::whole(std::trunc(place.markerX + place.endDx));
    const int endY = ChartPen::whole(std::trunc(y0 - 100 + 100 + place.endDy));
    pen.line(peakX, peakY, endX, endY, ChartColour::PayoffRed);

    double creditLevel = y0;
    if (credit > 0) {
        creditLevel = y0 - 700;
        pen.line(3500, creditLevel, 1800, creditLevel, ChartColour::PayoffRed);
        pen.printAt(900, y0 - 900, "__");
        pen.printNumberAt(1100, y0 - 800, credit);
        pen.printAt(100, y0 - 900, "Intial");
        pen.printAt(100, y0 - 700, "Credit");
    } else if (credit < 0) {
        creditLevel = y0 + 700;
        pen.line(3500, creditLevel, 1800, creditLevel, ChartColour::PayoffRed);
        pen.printAt(900, y0 + 500, "__");
        pen.printNumberAt(1200, y0 + 600, credit);
        pen.printAt(100, y0 + 500, "Intial");
        pen.printAt(100, y0 + 700, "Credit");
    }
    pen.line(peakX, peakY, 3500, creditLevel, ChartColour::PayoffRed);

    chRatioCallSpreads(context);

    pen.line(3500, y0 + 4700, 10000, y0 + 4700, ChartColour::RuleGreen);
    pen.disclaimer();
    return std::nullopt;
}

namespace
{

// The value table, from the figures the chart has just worked out.
void chRatioCallSpreads(StrategyContext &context)
{
    const Workspace &f = context.fields;
    ChartMemory &m = context.memory;
    ChartPen &pen = context.pen;
    const double y0 = pen.y0();

    const QString profitLoss = QStringLiteral("Profit/Loss($)");
    const ValueTable table {{{3500, f.text(kSymbol) + QStringLiteral(" at"), "Expiration($)"},
                                {5000, f.text(kStrike1) + QStringLiteral(" Call"), profitLoss},
                                {6700, f.text(kStrike2) + QStringLiteral(" Call"), profitLoss},
                                {8500, "Total", profitLoss}},
        3500, 10000};
    table.drawHeader(pen);

    const double k1 = f.number(kStrike1);
    const double p1 = f.number(kPrice1);
    const double k2 = f.number(kStrike2);
    const double p2 = f.number(kPrice2);
    const double bought = f.number(kUnits) * f.number(kBought);
    const double sold = f.number(kUnits) * f.number(kSold);

    struct Columns {
        double bought, sold, total;
    };
    const auto printRow
        = [&](int row, double y, double boughtValue, double soldValue, const Columns &at) {
              m.leg1Value = boughtValue;
              m.leg2Value = soldValue;
              pen.printNumberAt(at.bought, y, m.leg1Value, TableCellAt::value(row, 1));
              pen.printNumberAt(at.sold, y, m.leg2Value, TableCellAt::value(row, 2));
              pen.printNumberAt(at.total, y, readBack(m.leg1Value) + readBack(m.leg2Value),
                  TableCellAt::value(row, 3));
          };
    const Columns strikeRows {5100, 6700, 8550};

    pen.printAt(3800, y0 + 3200, f.text(kStrike1), TableCellAt::value(0, 0));
    printRow(0, y0 + 3200, longCalls(k1, k1, p1, bought), callPremium(p2, sold), strikeRows);

    pen.printAt(3800, y0 + 3600, f.text(kStrike2), TableCellAt::value(1, 0));
    printRow(1, y0 + 3600, longCalls(k2, k1, p1, bought), callPremium(p2, sold), strikeRows);

    const double breakEven = readBack(m.spreadBreakEven);
    pen.printNumberAt(3750, y0 + 4000, m.spreadBreakEven, TableCellAt::value(2, 0));
    printRow(2, y0 + 4000, longCalls(breakEven, k1, p1, bought),
        shortCallsAbove(breakEven, k2, p2, sold), {5000, 6700, 8600});

    m.spreadRow4Price = readBack(m.spreadBreakEven + m.spreadStrikeWidth);
    pen.printNumberAt(3750, y0 + 4400, m.spreadRow4Price, TableCellAt::value(3, 0));
    printRow(3, y0 + 4400, longCalls(m.spreadRow4Price, k1, p1, bought),
        shortCallsAbove(m.spreadRow4Price, k2, p2, sold), {5000, 6700, 8550});
}

} // namespace

} // namespace velmora
