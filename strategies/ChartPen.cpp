#include "strategies/ChartPen.h"

#include "core/Numbers.h"

#include <cmath>

namespace velmora
{

namespace
{

[[noreturn]] void fault()
{
    throw ChartFault("The position's figures are too large to chart. "
                     "Please check the prices, shares and contracts.");
}

} // namespace

void ChartPen::printAt(double x, double y, const QString &text)
{
    m_surface.moveTo(x, y);
    m_surface.print(text);
}

void ChartPen::printNumberAt(double x, double y, double value)
{
    printExactAt(x, y, r2(value));
}

void ChartPen::printExactAt(double x, double y, double value)
{
    printAt(x, y, printed(value));
}

QString ChartPen::printed(double value)
{
    // Beyond 15 digits the number would be printed in exponent form ("9E+18"),
    // which no price or amount of a real position needs: refused as too large.
    const auto text = printedNumber(value);
    if (!text || text->contains(u'E'))
        fault();
    return *text;
}

void ChartPen::printAt(double x, double y, const QString &text, TableCellAt cell)
{
    printAt(x, y, text);
    m_table.put(cell, text);
}

void ChartPen::printNumberAt(double x, double y, double value, TableCellAt cell)
{
    printExactAt(x, y, r2(value), cell);
}

void ChartPen::printExactAt(double x, double y, double value, TableCellAt cell)
{
    printAt(x, y, printed(value), cell);
}

QList<QStringList> TableData::rows() const
{
    QList<QStringList> out;
    int row = -1;
    for (const auto &[at, text] : m_cells) {
        if (at.first != row) {
            out.append(QStringList());
            row = at.first;
        }
        out.last() << text;
    }
    return out;
}

void ChartPen::line(double x1, double y1, double x2, double y2, int colour)
{
    m_surface.line(x1, y1, x2, y2, colour);
}

int ChartPen::whole(double value)
{
    const auto number = wholeNumber(value);
    if (!number)
        fault();
    return *number;
}

double ChartPen::finite(double value)
{
    if (!std::isfinite(value))
        fault();
    return value;
}

void ChartPen::disclaimer()
{
    bold(false);
    printAt(1300, 100,
        "THIS TOOL SHOULD BE USED FOR REFERENCE PURPOSES ONLY. MAKERS OF THIS TOOL WILL NOT "
        "BE LIABLE FOR ANY MONETARY LOSS ARISING FROM EQUITY/DERIVATIVE");
    printAt(1300, 300, " POSITIONS INITIATED WITH THE HELP OF THIS TOOL.");
}

} // namespace velmora
