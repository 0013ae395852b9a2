#include "strategies/ValueTable.h"

#include "strategies/ChartPen.h"

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

void ValueTable::drawRow(ChartPen &pen, double y, std::initializer_list<TableCell> cells) const
{
    auto column = columns.begin();
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
    for (const TableColumn &column : columns)
        pen.printAt(column.x, y, "XXX");
}

void ValueTable::drawRule(ChartPen &pen, double y) const
{
    pen.line(ruleLeft, y, ruleRight, y, ruleColour);
}

} // namespace velmora
