#include "ui/PlGridView.h"

#include "strategies/AnalysisChart.h"
#include "ui/output/ChartPainter.h"
#include "ui/output/GridShade.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cmath>

namespace velmora
{

class PlGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setGrid(PositionGrid grid, const QDate &today)
    {
        beginResetModel();
        m_grid = std::move(grid);
        m_today = today;
        m_largest = 0;
        for (const auto &row : m_grid.pl)
            for (double v : row)
                if (std::isfinite(v))
                    m_largest = std::max(m_largest, std::abs(v));
        // Whole dollars keep large amounts narrow; the tooltip has the cents.
        m_decimals = m_largest >= 1000 ? 0 : 2;
        m_priceDecimals = gridPriceDecimals(m_grid);
        endResetModel();
    }
    const PositionGrid &grid() const { return m_grid; }
    const QDate &today() const { return m_today; }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_grid.prices.size());
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_grid.days.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto row = std::size_t(index.row()), column = std::size_t(index.column());
        const double amount = m_grid.pl[row][column];
        switch (role) {
        case Qt::DisplayRole:
            return currencyText(amount, m_decimals);
        case Qt::ToolTipRole:
            return QStringLiteral("P/L at %1 on %2: %3")
                .arg(priceText(row), dateText(column), currencyText(amount));
        case Qt::BackgroundRole:
            return gridShade(amount, m_largest).background;
        case Qt::ForegroundRole:
            return gridShade(amount, m_largest).text;
        case Qt::TextAlignmentRole:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::FontRole:
            return m_grid.stockRow == row ? QVariant(boldFont()) : QVariant();
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        const auto at = std::size_t(section);
        const bool marked = orientation == Qt::Vertical
            ? m_grid.stockRow == at
            : at == 0 || at == m_grid.expirationColumn() || m_grid.dateColumn == at;
        if (role == Qt::FontRole)
            return marked ? QVariant(boldFont()) : QVariant();
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Vertical)
            return priceText(at) + (marked ? QStringLiteral(" today") : QString());
        QStringList names;
        if (at == 0 && m_grid.days.size() > 1)
            names << QStringLiteral("Today");
        if (m_grid.dateColumn == at && at != 0 && at != m_grid.expirationColumn())
            names << QStringLiteral("Evaluation");
        if (at == m_grid.expirationColumn())
            names << QStringLiteral("Expiration");
        return gridDate(m_today, m_grid.days[at]).toString(Qt::ISODate) + u'\n'
            + names.join(QStringLiteral(", "));
    }

private:
    QString priceText(std::size_t row) const
    {
        return currencyText(m_grid.prices[row], m_priceDecimals);
    }
    QString dateText(std::size_t column) const
    {
        const QString date = gridDate(m_today, m_grid.days[column]).toString(Qt::ISODate);
        return column == m_grid.expirationColumn() ? date + QStringLiteral(" (expiration)") : date;
    }
    static QFont boldFont()
    {
        QFont font;
        font.setBold(true);
        return font;
    }

    PositionGrid m_grid;
    QDate m_today;
    double m_largest = 0;
    int m_decimals = 2;
    int m_priceDecimals = 2;
};

namespace
{

// Frames the evaluation date's column in the colour of its curve.
class EvaluationFrame : public QStyledItemDelegate
{
public:
    EvaluationFrame(const PlGridModel *model, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_model(model)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
        QStyledItemDelegate::paint(painter, option, index);
        if (m_model->grid().dateColumn != std::size_t(index.column()))
            return;
        painter->save();
        painter->setPen(QPen(colourOf(AnalysisColour::OnDate), 3));
        const QRect r = option.rect.adjusted(1, 0, -2, 0);
        painter->drawLine(r.topLeft(), r.bottomLeft());
        painter->drawLine(r.topRight(), r.bottomRight());
        if (index.row() == 0)
            painter->drawLine(r.topLeft(), r.topRight());
        if (index.row() + 1 == m_model->rowCount({}))
            painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }

private:
    const PlGridModel *m_model;
};

} // namespace

PlGridView::PlGridView(QWidget *parent)
    : QTableView(parent)
    , m_model(new PlGridModel(this))
{
    setObjectName(QStringLiteral("plGrid"));
    setAccessibleName(QStringLiteral("P/L by stock price and date"));
    setModel(m_model);
    setItemDelegate(new EvaluationFrame(m_model, this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    // The columns share the width: nothing to measure on every slider step.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(80);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void PlGridView::setGrid(PositionGrid grid, const QDate &today)
{
    m_model->setGrid(std::move(grid), today);
}

const PositionGrid &PlGridView::grid() const
{
    return m_model->grid();
}

TableRows PlGridView::rows() const
{
    return gridRows(m_model->grid(), m_model->today());
}

} // namespace velmora
