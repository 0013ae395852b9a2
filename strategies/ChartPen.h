#pragma once
// The drawing devices every chart shares, on top of the recording surface:
// printing a text or a number at a position, coloured lines, bold type, the
// zero-profit line y0 and the disclaimer. Numbers are printed as the surface
// prints them (" 18 ", "-600 "), rounded to 2 decimals unless a chart says
// otherwise; a number that cannot be printed or converted is a ChartFault.

#include "chart/ChartSurface.h"
#include "strategies/ChartFault.h"

#include <QString>
#include <QStringList>

#include <map>
#include <utility>

namespace velmora
{

// Where a printed text stands in the value table: rows 0 and 1 are the two
// header rows, the value rows follow; columns count from the price column.
struct TableCellAt {
    int row = 0;
    int column = 0;

    static TableCellAt header(int row, int column) { return {row, column}; }
    static TableCellAt value(int row, int column) { return {row + 2, column}; }
};

// The value table as the chart printed it, cell by cell: what Copy, Export
// Table and assistive tools read, so that nothing reads the drawing back.
class TableData
{
public:
    void put(TableCellAt at, const QString &text) { m_cells[{at.row, at.column}] = text.trimmed(); }
    // Row by row, each row's cells left to right; cells never printed are left out.
    QList<QStringList> rows() const;

private:
    std::map<std::pair<int, int>, QString> m_cells;
};

class ChartPen
{
public:
    explicit ChartPen(ChartSurface &surface)
        : m_surface(surface)
    {
    }

    ChartSurface &surface() { return m_surface; }

    // Read afresh at each use: printing narrows the surface.
    double H() const { return m_surface.scaleHeight(); }
    double y0() const { return m_surface.scaleHeight() / 2; }
    double xc() const { return m_surface.scaleWidth() / 2; }

    void printAt(double x, double y, const QString &text);
    void printAt(double x, double y, const char *text) { printAt(x, y, QString::fromUtf8(text)); }
    // The number rounded to 2 decimals, half to even, in its printed form.
    void printNumberAt(double x, double y, double value);
    // The number as it is, in its printed form (up to 15 significant digits);
    // a ChartFault when it is not finite or too large to print without an
    // exponent (1E+15 and beyond).
    void printExactAt(double x, double y, double value);
    // The same, for a cell of the value table: printed, then kept as data.
    void printAt(double x, double y, const QString &text, TableCellAt cell);
    void printNumberAt(double x, double y, double value, TableCellAt cell);
    void printExactAt(double x, double y, double value, TableCellAt cell);
    const TableData &table() const { return m_table; }
    void line(double x1, double y1, double x2, double y2, int colour);
    void bold(bool on) { m_surface.setFontBold(on); }

    // The whole-number value (half to even) of x; a ChartFault when it does
    // not fit in 32 bits or is not finite.
    static int whole(double value);
    // The value itself; a ChartFault when it is not finite.
    static double finite(double value);

    // The two disclaimer lines at (1300, 100) and (1300, 300), regular type.
    void disclaimer();

private:
    // The printed form of a number, or a ChartFault.
    static QString printed(double value);

    ChartSurface &m_surface;
    TableData m_table;
};

} // namespace velmora
