// The Butterfly Spreads chart of a position taken in for a net credit: the
// whole payoff line lies above the price axis, the wings on a profit plateau.
// It keeps to regular type and the surface's own drawing colour for the
// table, and carries no disclaimer.

#include "chart/GraphBase.h"
#include "core/Catalogue.h"
#include "strategies/ButterflySpreads.h"
#include "strategies/ChartPen.h"
#include "strategies/ValueTable.h"

#include <cmath>
#include <limits>

namespace velmora
{

namespace
{

// A corner of the payoff line; the credit chart keeps its corners in single
// precision, where the debit chart rounds them to whole twips.
struct SingleCorner {
    float x = 0;
    float y = 0;
};

float singlePrecision(double value)
{
    // A value beyond single precision is far beyond a whole number too, so
    // whole() reports the fault.
    if (!(std::abs(value) <= std::numeric_limits<float>::max()))
        ChartPen::whole(value);
    return static_cast<float>(value);
}

} // namespace

void butterflyGraphForPositiveValue(StrategyContext &context)
{
    const Workspace &f = context.fields;
    ChartMemory &m = context.memory;
    ChartPen &pen = context.pen;
    const auto b = ButterflyPosition::read(f);
    const auto strike
        = [&f](FieldRole role) { return f.text(field(StrategyKind::ButterflySpreads, role)); };
    const QString strike1 = strike(FieldRole::Strike1);
    const QString strike2 = strike(FieldRole::Strike2);
    const QString strike3 = strike(FieldRole::Strike3);

    // The credit per share adds to the spread between the strikes.
    m.maxProfit = ButterflyPosition::figure((m.netPremium + (b.k2 - b.k1)) * b.n1 * 100);

    drawGraphBase(pen.surface());
    const double y0 = pen.y0();
    const double xc = pen.xc();
    pen.printAt(100, 100, "Profit");
    pen.printAt(960, 100, "^");
    pen.printAt(100, pen.H() - 300, "Loss");

    pen.printAt(xc, y0 - 100, "|");
    pen.printAt(xc, y0 + 100, strike2);
    const SingleCorner left {singlePrecision(xc - 3000), singlePrecision(y0 - 700)};
    pen.printAt(xc - 3000, y0 - 100, "|");
    pen.printAt(xc - 3000, y0 + 100, strike1);
    const SingleCorner right {singlePrecision(xc + 3000), singlePrecision(y0 - 700)};
    pen.printAt(xc + 3000, y0 - 100, "|");
    pen.printAt(xc + 3000, y0 + 100, strike3);
    const SingleCorner peak {singlePrecision(xc), singlePrecision(y0 - 3000)};
    pen.line(peak.x, peak.y, left.x, left.y, ChartColour::PayoffRed);
    pen.line(peak.x, peak.y, right.x, right.y, ChartColour::PayoffRed);

    pen.printAt(930, y0 - 3100, "__");
    pen.printNumberAt(1150, y0 - 3000, m.maxProfit);
    pen.printAt(930, y0 - 900, "__");
    pen.printNumberAt(1150, y0 - 800, m.netCredit);

    // The outer ends of the plateaus are whole numbers.
    const int plateauY = ChartPen::whole(y0 - 700);
    pen.line(right.x, right.y, ChartPen::whole(xc + 4200), plateauY, ChartColour::PayoffRed);
    pen.line(left.x, left.y, ChartPen::whole(xc - 4200), plateauY, ChartColour::PayoffRed);

    const QString profitLoss = QStringLiteral("Profit/Loss($)");
    ValueTable table {
        {{3500, f.text(single("Text1")) + QStringLiteral(" at "), "Expiration"},
            {5500, strike1 + QStringLiteral(" Call"), profitLoss},
            {7500, strike2 + QStringLiteral(" Call"), profitLoss},
            {9500, strike3 + QStringLiteral(" Call"), profitLoss}, {11500, "Total", "Profit"}},
        3500, 12500};
    // No colour of its own: the rules take the surface's drawing colour.
    table.ruleColour = pen.surface().palette().foreground;
    table.boldHeader = false;
    table.drawHeader(pen);

    pen.printAt(3700, y0 + 3100, QStringLiteral("<") + strike1, TableCellAt::value(0, 0));
    pen.printAt(3800, y0 + 3500, strike1, TableCellAt::value(1, 0));
    pen.printAt(3800, y0 + 3900, strike2, TableCellAt::value(2, 0));
    pen.printAt(3800, y0 + 4300, strike3, TableCellAt::value(3, 0));
    pen.printAt(3700, y0 + 4700, QStringLiteral(">") + strike3, TableCellAt::value(4, 0));

    // The prices stand apart from the table's first column.
    const auto printRow = [&](int row, double y) {
        table.drawRow(pen, row, y,
            {TableCell::rounded(m.leg1Value), TableCell::rounded(m.leg2Value),
                TableCell::rounded(m.leg3Value), TableCell::rounded(m.totalValue)},
            1);
    };
    // Beyond the outer strikes only the total is known: it stays at its value
    // at the nearer strike.
    const auto printOutsideRow = [&](int row, double y) {
        table.drawUnavailableCells(pen, row, y, 1, 3, 50);
        table.drawRow(pen, row, y, {TableCell::rounded(m.totalValue)}, 4);
    };
    b.setRow(m, b.k1);
    printRow(1, y0 + 3500);
    printOutsideRow(0, y0 + 3100);
    b.setRow(m, b.k2);
    printRow(2, y0 + 3900);
    b.setRow(m, b.k3);
    printRow(3, y0 + 4300);
    printOutsideRow(4, y0 + 4700);

    table.drawRule(pen, y0 + 5000);
}

} // namespace velmora
