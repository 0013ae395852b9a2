#pragma once
// The P/L grid of the analysis window: the position's profit/loss by stock
// price (rows) and date (columns). Cells are green for a profit and red for
// a loss, stronger the larger the amount; today's price row is bold, the
// today, expiration and evaluation-date columns are named in their headers
// and the evaluation date's column is framed in its curve's colour.
// Hovering a cell shows its amount to the cent.

#include "strategies/PositionGrid.h"

#include <QTableView>

namespace velmora
{

class PlGridModel;

class PlGridView : public QTableView
{
    Q_OBJECT
public:
    explicit PlGridView(QWidget *parent = nullptr);

    void setGrid(PositionGrid grid, const QDate &today);
    const PositionGrid &grid() const;
    // First row the dates, first column the prices (gridRows()).
    TableRows rows() const;

private:
    PlGridModel *m_model = nullptr;
};

} // namespace velmora
