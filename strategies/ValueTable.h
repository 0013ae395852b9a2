#pragma once
// The table of values beneath a chart: a price column and one column per leg
// plus the total. The header is two rows (names, then "Expiration($)" and
// "Profit/Loss($)") between two rules; every strategy places its columns and
// rows itself, so the table only knows where its columns stand.

#include "chart/ChartSurface.h"

#include <QString>

#include <initializer_list>
#include <vector>

namespace velmora
{

class ChartPen;

struct TableColumn {
    double x = 0;
    QString heading; // header row 1
    QString subHeading; // header row 2
};

// One number of a value row.
struct TableCell {
    double value = 0;
    bool unrounded = false; // printed as it is rather than rounded to 2 decimals

    static TableCell rounded(double value) { return {value, false}; }
    static TableCell exact(double value) { return {value, true}; }
};

struct ValueTable {
    std::vector<TableColumn> columns;
    double ruleLeft = 0;
    double ruleRight = 0;
    int ruleColour = ChartColour::RuleGreen;
    bool boldHeader = true;

    // The two header rows at y0 + 2500 and y0 + 2700 and the rules at the
    // table top (y0 + 2400 as a whole number) and 600 below it.
    void drawHeader(ChartPen &pen) const;
    // Value row `row` (0 first): one cell per column, left to right, at the
    // row's y, from the column `first` on (a Butterfly Spreads price stands
    // apart from its column).
    void drawRow(ChartPen &pen, int row, double y, std::initializer_list<TableCell> cells,
        std::size_t first = 0) const;
    // A row whose price has no place on the chart: "XXX" in every cell.
    void drawUnavailableRow(ChartPen &pen, int row, double y) const;
    // "XXX" in `count` cells from the column `first` on, each `offset` right
    // of its column.
    void drawUnavailableCells(ChartPen &pen, int row, double y, std::size_t first,
        std::size_t count, double offset = 0) const;
    // A rule across the table's width.
    void drawRule(ChartPen &pen, double y) const;
};

} // namespace velmora
