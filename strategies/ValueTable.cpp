#include "strategies/ValueTable.h"

#include "strategies/ChartPen.h"

#include <algorithm>

namespace velmora
{

int ValueTable::drawHeader(ChartPen &pen) const
{
    if (boldHeader)
        pen.bold(true);
    const double headingY = pen.y0() + 2500;
    const int top = ChartPen::whole(headingY - 100);
    for (const TableColumn &column : columns)
        pen.printAt(column.x, headingY, column.heading);
    for (const TableColumn &column : columns)
        pen.printAt(column.x, pen.y0() + 2700, column.subHeading);
    drawRule(pen, top);
    drawRule(pen, ChartPen::whole(double(top) + 600));
    if (boldHeader)
        pen.bold(false);
    return top;
}

void ValueTable::drawRow(
    ChartPen &pen, double y, std::initializer_list<TableCell> cells, std::size_t first) const
{
    auto column = columns.begin() + std::ptrdiff_t(std::min(first, columns.size()));
    for (const TableCell &cell : cells) {
        if (column == columns.end())
            break;
        if (cell.unrounded)
            pen.printExactAt(column->x, y, cell.value);
        else
            pen.printNumberAt(column->x, y, cell.value);
        ++column;
    }
}

void ValueTable::drawUnavailableRow(ChartPen &pen, double y) const
{
    drawUnavailableCells(pen, y, 0, columns.size());
}

void ValueTable::drawUnavailableCells(
    ChartPen &pen, double y, std::size_t first, std::size_t count, double offset) const
{
    for (std::size_t i = first; i < std::min(first + count, columns.size()); ++i)
        pen.printAt(columns[i].x + offset, y, "XXX");
}

void ValueTable::drawRule(ChartPen &pen, double y) const
{
    pen.line(ruleLeft, y, ruleRight, y, ruleColour);
}

} // namespace velmora
