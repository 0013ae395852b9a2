#include "strategies/ValueTable.h"

#include "strategies/ChartPen.h"

#include <algorithm>

namespace velmora
{

void ValueTable::drawHeader(ChartPen &pen) const
{
    if (boldHeader)
        pen.bold(true);
    const double headingY = pen.y0() + 2500;
    const int top = ChartPen::whole(headingY - 100);
    for (std::size_t i = 0; i < columns.size(); ++i)
        pen.printAt(columns[i].x, headingY, columns[i].heading, TableCellAt::header(0, int(i)));
    for (std::size_t i = 0; i < columns.size(); ++i)
        pen.printAt(
            columns[i].x, pen.y0() + 2700, columns[i].subHeading, TableCellAt::header(1, int(i)));
    drawRule(pen, top);
    drawRule(pen, ChartPen::whole(double(top) + 600));
    if (boldHeader)
        pen.bold(false);
}

void ValueTable::drawRow(ChartPen &pen, int row, double y, std::initializer_list<TableCell> cells,
    std::size_t first) const
{
    std::size_t column = first;
    for (const TableCell &cell : cells) {
        if (column >= columns.size())
            break;
        const TableCellAt at = TableCellAt::value(row, int(column));
        if (cell.unrounded)
            pen.printExactAt(columns[column].x, y, cell.value, at);
        else
            pen.printNumberAt(columns[column].x, y, cell.value, at);
        ++column;
    }
}

void ValueTable::drawUnavailableRow(ChartPen &pen, int row, double y) const
{
    drawUnavailableCells(pen, row, y, 0, columns.size());
}

void ValueTable::drawUnavailableCells(
    ChartPen &pen, int row, double y, std::size_t first, std::size_t count, double offset) const
{
    for (std::size_t i = first; i < std::min(first + count, columns.size()); ++i)
        pen.printAt(
            columns[i].x + offset, y, QStringLiteral("XXX"), TableCellAt::value(row, int(i)));
}

void ValueTable::drawRule(ChartPen &pen, double y) const
{
    pen.line(ruleLeft, y, ruleRight, y, ruleColour);
}

} // namespace velmora
