#pragma once
// The position over time as a table: its profit/loss at round stock prices
// (with the strikes, the break-evens and today's price among them) on dates
// from today to expiration. Every cell is priced by the same functions as
// the analysis curves, so a cell and the curve at its price and date agree.
//
// Without today's stock price nothing before expiration can be priced (no
// implied volatility, no price to start from): the grid then has the
// expiration column alone, its rows around the strikes and break-evens.

#include "strategies/PositionAnalysis.h"
#include "strategies/TableText.h"

#include <QDate>

#include <optional>
#include <vector>

namespace velmora
{

struct PositionGrid {
    std::vector<double> prices; // the rows, highest first, as on a chart
    std::vector<double> days; // the columns, days after today: today first, expiration last
    std::vector<std::vector<double>> pl; // pl[row][column], $
    std::optional<std::size_t> stockRow; // today's stock price
    std::optional<std::size_t> dateColumn; // the evaluation date

    std::size_t expirationColumn() const { return days.size() - 1; }
};

// The evenly spaced dates between today and expiration.
constexpr int kGridInnerDates = 6;
// The rows a grid aims at; it never has more than kMostGridRows.
constexpr int kGridRows = 21;
constexpr int kMostGridRows = 25;

// Inputs must be sound (analysisProblem() answers nothing).
PositionGrid positionGrid(const Legs &legs, const AnalysisInputs &inputs);
PositionGrid positionGrid(const Legs &legs, const LegVolatilities &volatilities,
    const ExpiryFigures &figures, const AnalysisInputs &inputs);

// The calendar day of a column.
QDate gridDate(const QDate &today, double days);

// Decimals that tell the grid's prices apart: 2, more for prices below a cent.
int gridPriceDecimals(const PositionGrid &grid);

// The grid as a table to copy or export: the first row "Price" and the
// dates, then each price and its amounts, to the cent.
TableRows gridRows(const PositionGrid &grid, const QDate &today);

} // namespace velmora
