#include "strategies/ButterflySpreads.h"

#include "chart/GraphBase.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "strategies/CallLegs.h"
#include "strategies/ChartPen.h"
#include "strategies/CheckMessage.h"
#include "strategies/ValueTable.h"

#include <cmath>
#include <limits>
#include <utility>

namespace velmora
{

namespace
{

constexpr StrategyKind kKind = StrategyKind::ButterflySpreads;
const ControlId kStrike1 = field(kKind, FieldRole::Strike1);
const ControlId kPrice1 = field(kKind, FieldRole::Premium1);
const ControlId kContracts1 = field(kKind, FieldRole::Contracts1);
const ControlId kStrike2 = field(kKind, FieldRole::Strike2);
const ControlId kPrice2 = field(kKind, FieldRole::Premium2);
const ControlId kContracts2 = field(kKind, FieldRole::Contracts2);
const ControlId kStrike3 = field(kKind, FieldRole::Strike3);
const ControlId kPrice3 = field(kKind, FieldRole::Premium3);
const ControlId kContracts3 = field(kKind, FieldRole::Contracts3);
const ControlId kSymbol = single("Text1");

std::optional<Refusal> check(const Workspace &f)
{
    using namespace MsgStyle;
    const char *title = "Attention";
    if (isEmptyNumber(f.text(kStrike1)))
        return checkMessage("Strike Price1 should be not be Left Empty.", Stop, title, kStrike1);
    if (isEmptyNumber(f.text(kPrice1)))
        return checkMessage("Call Price1 should be not Left Empty.", Stop, title, kPrice1);
    if (isEmptyNumber(f.text(kContracts1)))
        return checkMessage("Contracts1 should be not Left Empty.", Stop, title, kContracts1);
    if (!(f.number(kStrike1) > f.number(kPrice1)))
        return checkMessage(
            "Call Price 1 should be less than Strike Price1.", Information, title, kPrice1, true);
    if (isEmptyNumber(f.text(kStrike2)))
        return checkMessage("Strike Price2 should be not Left Empty.", Stop, title, kStrike2);
    if (isEmptyNumber(f.text(kPrice2)))
        return checkMessage("Call Price2 should be not Left Empty.", Stop, title, kPrice2);
    if (isEmptyNumber(f.text(kPrice3)))
        return checkMessage("Call Price3 should be not Left Empty.", Stop, title, kPrice3);
    if (!(f.number(kStrike1) < f.number(kStrike2)))
        return checkMessage("Sell Strike Price should be Greater than Buy Strike Price.", Stop,
            title, std::nullopt);
    if (!(f.number(kPrice1) > f.number(kPrice2)))
        return checkMessage(
            "Call Price2 should be Less than Call Price1.", Stop, title, std::nullopt);
    if (!(f.number(kPrice2) > f.number(kPrice3)))
        return checkMessage(
            "Call Price3 should be less than Call Price2.", Stop, title, std::nullopt);
    return std::nullopt;
}

// One step of the chart: a step that faults is skipped and the next one runs.
template<typename Step>
void skipFault(Step &&step)
{
    try {
        std::forward<Step>(step)();
    } catch (const ChartFault &) {
    }
}

// A corner of the payoff line in whole twips.
struct Corner {
    int x = 0;
    int y = 0;
};

Corner corner(double x, double y)
{
    return {ChartPen::whole(x), ChartPen::whole(y)};
}

void payoffSegment(ChartPen &pen, Corner from, Corner to)
{
    pen.line(from.x, from.y, to.x, to.y, ChartColour::PayoffRed);
}

// The fifth table row of the debit chart, at y0 + 4700, from the row amounts.
void chBullFifthRow(StrategyContext &context)
{
    ChartPen &pen = context.pen;
    const ChartMemory &m = context.memory;
    const double y = pen.y0() + 4700;
    if (m.netCredit != 0) {
        pen.printNumberAt(5500, y, m.leg1Value, TableCellAt::value(4, 1));
        pen.printNumberAt(7500, y, m.leg2Value, TableCellAt::value(4, 2));
        pen.printNumberAt(9500, y, m.leg3Value, TableCellAt::value(4, 3));
        pen.printNumberAt(11500, y, m.totalValue, TableCellAt::value(4, 4));
    } else {
        // 50 to the right of the first row's "XXX".
        int column = 1;
        for (const double x : {5550, 7550, 9550})
            pen.printAt(x, y, QStringLiteral("XXX"), TableCellAt::value(4, column++));
        pen.printExactAt(11500, y, 0, TableCellAt::value(4, 4));
    }
}

// The chart of a position bought for a net debit (wings) or for nothing.
void drawDebitChart(StrategyContext &context, const ButterflyPosition &b)
{
    const Workspace &f = context.fields;
    ChartMemory &m = context.memory;
    ChartPen &pen = context.pen;
    const auto number = [&pen](double x, double y, double value) {
        skipFault([&] { pen.printNumberAt(x, y, value); });
    };
    const auto cell = [&pen](double x, double y, double value, TableCellAt at) {
        skipFault([&] { pen.printNumberAt(x, y, value, at); });
    };
    const auto segment
        = [&pen](auto from, auto to) { skipFault([&] { payoffSegment(pen, from(), to()); }); };

    const bool wings = m.netCredit != 0;
    const double lowBreakEven = ButterflyPosition::figure(b.k1 + m.netPremium);
    const double highBreakEven = ButterflyPosition::figure(b.k3 - m.netPremium);

    drawGraphBase(pen.surface());
    const double y0 = pen.y0();
    const double xc = pen.xc();

    pen.printAt(xc, y0 - 100, "|");
    pen.printAt(xc, y0 + 100, f.text(kStrike2));

    pen.printAt(xc - 3000, y0 - 100, "|");
    number(xc - 3000, y0 + 100, lowBreakEven);
    if (wings) {
        pen.printAt(xc - 5000, y0 - 100, "|");
        pen.printAt(xc - 5000, y0 + 100, f.text(kStrike1));
    }
    pen.printAt(xc + 3000, y0 - 100, "|");
    number(xc + 3000, y0 + 100, highBreakEven);
    if (wings) {
        pen.printAt(xc + 5000, y0 - 100, "|");
        pen.printAt(xc + 5000, y0 + 100, f.text(kStrike3));
    }

    // Without wings the plateaus have no length and the tent stands on the
    // price axis between the break-even marks.
    const double cornerDx = wings ? 4000 : 3000;
    const double cornerY = wings ? y0 + 1000 : y0;
    const double plateauDx = wings ? 5000 : cornerDx;
    const auto peak = [&] { return corner(xc, y0 - 3000); };
    const auto left = [&] { return corner(xc - cornerDx, cornerY); };
    const auto right = [&] { return corner(xc + cornerDx, cornerY); };
    segment(peak, left);
    segment(peak, right);
    segment(right, [&] { return corner(xc + plateauDx, cornerY); });
    segment(left, [&] { return corner(xc - plateauDx, cornerY); });

    pen.printAt(930, y0 - 3100, "__");
    number(1150, y0 - 3000, m.maxProfit);
    if (wings) {
        pen.printAt(930, y0 + 800, "__");
        number(1150, y0 + 900, m.netCredit);
    }

    pen.bold(true);
    const QString profitLoss = QStringLiteral("Profit/Loss($)");
    const ValueTable table {{{3500, f.text(kSymbol) + QStringLiteral(" at "), "Expiration($)"},
                                {5500, f.text(kStrike1) + QStringLiteral(" Call"), profitLoss},
                                {7500, f.text(kStrike2) + QStringLiteral(" Call"), profitLoss},
                                {9500, f.text(kStrike3) + QStringLiteral(" Call"), profitLoss},
                                {11500, "Total", profitLoss}},
        3500, 12500};
    skipFault([&] { table.drawHeader(pen); });
    pen.bold(false);

    const auto price = TableCellAt::value;
    if (wings)
        pen.printAt(3800, y0 + 3100, f.text(kStrike1), price(0, 0));
    else
        pen.printAt(3750, y0 + 3100, QStringLiteral("<") + f.text(kStrike1), price(0, 0));
    cell(3750, y0 + 3500, lowBreakEven, price(1, 0));
    pen.printAt(3800, y0 + 3900, f.text(kStrike2), price(2, 0));
    cell(3750, y0 + 4300, highBreakEven, price(3, 0));
    if (wings)
        pen.printAt(3800, y0 + 4700, f.text(kStrike3), price(4, 0));
    else
        pen.printAt(3750, y0 + 4700, QStringLiteral(">") + f.text(kStrike3), price(4, 0));

    const auto printRow = [&](int row, double y) {
        cell(5500, y, m.leg1Value, TableCellAt::value(row, 1));
        cell(7500, y, m.leg2Value, TableCellAt::value(row, 2));
        cell(9500, y, m.leg3Value, TableCellAt::value(row, 3));
        cell(11500, y, m.totalValue, TableCellAt::value(row, 4));
    };
    b.setRow(m, b.k1);
    if (wings) {
        printRow(0, y0 + 3100);
    } else {
        table.drawUnavailableCells(pen, 0, y0 + 3100, 1, 3);
        table.drawRow(pen, 0, y0 + 3100, {TableCell::exact(0)}, 4);
    }
    b.setRow(m, lowBreakEven);
    printRow(1, y0 + 3500);
    b.setRow(m, b.k2);
    printRow(2, y0 + 3900);
    b.setRow(m, highBreakEven);
    printRow(3, y0 + 4300);
    b.setRow(m, b.k3);
    skipFault([&] { chBullFifthRow(context); });

    table.drawRule(pen, y0 + 5000);
    pen.disclaimer();
}

} // namespace

ButterflyPosition ButterflyPosition::read(const Workspace &fields)
{
    ButterflyPosition b;
    b.k1 = fields.number(kStrike1);
    b.p1 = fields.number(kPrice1);
    b.n1 = fields.number(kContracts1);
    b.k2 = fields.number(kStrike2);
    b.p2 = fields.number(kPrice2);
    b.n2 = fields.number(kContracts2);
    b.k3 = fields.number(kStrike3);
    b.p3 = fields.number(kPrice3);
    b.n3 = fields.number(kContracts3);
    return b;
}

double ButterflyPosition::figure(double value)
{
    return std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

void ButterflyPosition::setRow(ChartMemory &memory, double x) const
{
    memory.leg1Value = figure(longCalls(x, k1, p1, n1));
    memory.leg2Value = figure(shortCalls(x, k2, p2, n2));
    memory.leg3Value = figure(-callPremium(p3, n3));
    memory.totalValue = figure(memory.leg1Value + memory.leg2Value + memory.leg3Value);
}

std::optional<Refusal> butterflySpreadsChart(StrategyContext &context)
{
    if (auto refused = check(context.fields))
        return refused;

    const auto b = ButterflyPosition::read(context.fields);
    ChartMemory &m = context.memory;
    // All three legs count N1 contracts here. A position that costs nothing
    // has no wings, whatever binary makes of 0.55 − 2 × 0.30 + 0.05.
    m.netCredit = settledPremium(ButterflyPosition::figure(
        -(b.p1 * b.n1 * 100) + (b.p2 + b.p2) * b.n1 * 100 - b.p3 * b.n1 * 100));
    m.netPremium = ButterflyPosition::figure(std::abs(m.netCredit / (b.n1 * 100)));
    m.maxProfit = ButterflyPosition::figure(((b.k2 - b.k1) - m.netPremium) * b.n1 * 100);

    if (m.netCredit > 0)
        skipFault([&] { butterflyGraphForPositiveValue(context); });
    else
        drawDebitChart(context, b);
    return std::nullopt;
}

} // namespace velmora
