#include "ui/output/ReportPage.h"

#include "strategies/AnalysisChart.h"
#include "ui/output/ChartPage.h"
#include "ui/output/ChartPainter.h"
#include "ui/output/GridShade.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

// The box every page is laid out in, in millimetres: A4's width and Letter's
// height, less 10 mm margins.
constexpr double kBoxWidth = 190;
constexpr double kBoxHeight = 259;
constexpr double kPdfDpi = 600;

// Millimetres of the box in device pixels, and type sizes that keep their
// proportion to the box on any device.
class PageSpace
{
public:
    PageSpace(const QRectF &page, double dpi)
        : m_dpi(dpi)
    {
        m_scale = std::min(page.width() / kBoxWidth, page.height() / kBoxHeight);
        m_origin = page.topLeft()
            + QPointF((page.width() - kBoxWidth * m_scale) / 2,
                (page.height() - kBoxHeight * m_scale) / 2);
    }
    double px(double mm) const { return mm * m_scale; }
    QRectF rect(double x, double y, double w, double h) const
    {
        return {m_origin.x() + px(x), m_origin.y() + px(y), px(w), px(h)};
    }
    QFont font(double points, bool bold = false) const
    {
        QFont f(QStringLiteral("sans-serif"));
        // Without ligatures: "fi" stays two letters a reader can search for.
        f.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
        // A point is 25.4 / 72 mm of the box, whatever the device.
        f.setPointSizeF(points * m_scale * 25.4 / m_dpi);
        f.setBold(bold);
        return f;
    }

private:
    double m_dpi;
    double m_scale = 1;
    QPointF m_origin;
};

void text(QPainter &p, const QRectF &r, const QString &s, const QFont &font,
    int flags = Qt::AlignLeft | Qt::AlignTop)
{
    p.setFont(font);
    p.drawText(r, flags, s);
}

// A table of text rows, the first one the header, with columns as wide as
// their texts (narrowed together, and cut with an ellipsis, where the
// table's width does not hold them).
void table(QPainter &p, const PageSpace &space, QRectF area, const TableRows &rows, double points,
    double rowMm)
{
    if (rows.isEmpty())
        return;
    const QFont regular = space.font(points), bold = space.font(points, true);
    const qsizetype columns = rows.front().size();
    std::vector<double> widths(std::size_t(columns), 0);
    for (const QStringList &row : rows)
        for (qsizetype c = 0; c < row.size() && c < columns; ++c)
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)],
                QFontMetricsF(&row == &rows.front() ? bold : regular, p.device())
                        .horizontalAdvance(row[c])
                    + space.px(2));
    double total = 0;
    for (double w : widths)
        total += w;
    const double shrink = total > area.width() ? area.width() / total : 1.0;
    const double rowHeight = space.px(rowMm);
    double y = area.top();
    p.setPen(Qt::black);
    for (const QStringList &row : rows) {
        const bool header = &row == &rows.front();
        p.setFont(header ? bold : regular);
        double x = area.left();
        for (qsizetype c = 0; c < row.size() && c < columns; ++c) {
            const double w = widths[std::size_t(c)] * shrink;
            const QRectF cell(x + space.px(0.5), y, w - space.px(1), rowHeight);
            p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                QFontMetricsF(p.font(), p.device())
                    .elidedText(row[c], Qt::ElideRight, cell.width()));
            x += w;
        }
        y += rowHeight;
        if (header || &row == &rows.back())
            p.drawLine(QPointF(area.left(), y), QPointF(area.left() + total * shrink, y));
    }
}

void gridTable(QPainter &p, const PageSpace &space, const QRectF &area, const PositionGrid &grid,
    const QDate &today)
{
    const std::size_t columns = grid.days.size();
    const double priceWidth = space.px(20);
    const double cellWidth
        = (area.width() - priceWidth) / double(std::max<std::size_t>(columns, 1));
    const double headerHeight = space.px(7);
    const double rowHeight = std::min(space.px(4.2),
        (area.height() - headerHeight) / double(std::max<std::size_t>(grid.prices.size(), 1)));
    double largest = 0;
    for (const auto &row : grid.pl)
        for (double v : row)
            if (std::isfinite(v))
                largest = std::max(largest, std::abs(v));
    const int decimals = largest >= 1000 ? 0 : 2;
    const int priceDecimals = gridPriceDecimals(grid);
    const QFont regular = space.font(6.5), bold = space.font(6.5, true);

    p.setPen(Qt::black);
    for (std::size_t c = 0; c < columns; ++c) {
        QString tag;
        if (c == 0 && columns > 1)
            tag = QStringLiteral("Today");
        else if (c + 1 == columns)
            tag = QStringLiteral("Expiration");
        else if (grid.dateColumn == c)
            tag = QStringLiteral("Evaluation");
        const QRectF cell(
            area.left() + priceWidth + cellWidth * double(c), area.top(), cellWidth, headerHeight);
        text(p, cell.adjusted(0, 0, -space.px(1), 0),
            gridDate(today, grid.days[c]).toString(Qt::ISODate) + u'\n' + tag, bold,
            Qt::AlignRight | Qt::AlignVCenter);
    }
    text(p, QRectF(area.left(), area.top(), priceWidth, headerHeight), QStringLiteral("Price"),
        bold, Qt::AlignLeft | Qt::AlignBottom);
    for (std::size_t r = 0; r < grid.prices.size(); ++r) {
        const double y = area.top() + headerHeight + rowHeight * double(r);
        const bool stock = grid.stockRow == r;
        p.setPen(Qt::black);
        text(p, QRectF(area.left(), y, priceWidth, rowHeight),
            currencyText(grid.prices[r], priceDecimals)
                + (stock ? QStringLiteral(" today") : QString()),
            stock ? bold : regular, Qt::AlignLeft | Qt::AlignVCenter);
        for (std::size_t c = 0; c < columns; ++c) {
            const QRectF cell(
                area.left() + priceWidth + cellWidth * double(c), y, cellWidth, rowHeight);
            const GridShade shade = gridShade(grid.pl[r][c], largest);
            p.fillRect(cell, shade.background);
            p.setPen(shade.text);
            text(p, cell.adjusted(0, 0, -space.px(1), 0), currencyText(grid.pl[r][c], decimals),
                stock ? bold : regular, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    if (grid.dateColumn) {
        const QRectF frame(area.left() + priceWidth + cellWidth * double(*grid.dateColumn),
            area.top() + headerHeight, cellWidth, rowHeight * double(grid.prices.size()));
        p.setPen(QPen(colourOf(AnalysisColour::OnDate), space.px(0.5)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
    }
}

} // namespace

void paintReportPage(QPainter &p, const QRectF &page, double dpi, const PositionReport &report)
{
    const PageSpace space(page, dpi);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::black);
    text(p, space.rect(0, 0, 140, 7), report.heading, space.font(13, true));
    text(p, space.rect(120, 1, 70, 6),
        QStringLiteral("Written ") + report.written.toString(Qt::ISODate), space.font(8),
        Qt::AlignRight | Qt::AlignTop);
    text(p, space.rect(0, 7.5, kBoxWidth, 5), report.summary, space.font(9));
    if (report.refusal) {
        text(p, space.rect(0, 20, kBoxWidth, 7),
            QStringLiteral("View Graph refused this position:"), space.font(11, true));
        text(p, space.rect(0, 28, kBoxWidth, 60), *report.refusal, space.font(10),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
        p.restore();
        return;
    }
    text(p, space.rect(0, 13, kBoxWidth, 9), report.inputs, space.font(7),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);

    const QFont caption = space.font(8, true);
    text(p, space.rect(0, 23, 94, 4), QStringLiteral("Legs"), caption);
    table(p, space, space.rect(0, 27, 94, 40), report.legs, 6.5, 4);
    text(p, space.rect(98, 23, 92, 4), QStringLiteral("Figures"), caption);
    table(p, space, space.rect(98, 27, 92, 40), report.figures, 6.5, 3.6);

    text(p, space.rect(0, 70, 94, 4), QStringLiteral("Chart with its value table"), caption);
    paintChart(p, inPrintColours(report.schematic), space.rect(0, 74, 94, 64));
    text(p, space.rect(98, 70, 92, 4), QStringLiteral("Analysis to true scale"), caption);
    paintChart(p, inPrintColours(report.analysis), space.rect(98, 74, 92, 64));

    text(p, space.rect(0, 141, kBoxWidth, 4), QStringLiteral("Profit/loss by stock price and date"),
        caption);
    gridTable(
        p, space, space.rect(0, 146, kBoxWidth, kBoxHeight - 146), report.grid, report.written);
    p.restore();
}

QString paintReportPages(QPagedPaintDevice &device, const std::vector<PositionReport> &reports)
{
    device.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("the report's pages could not be started");
    for (std::size_t i = 0; i < reports.size(); ++i) {
        if (i > 0 && !device.newPage())
            return QStringLiteral("a new page could not be started");
        paintReportPage(painter, QRectF(0, 0, device.width(), device.height()),
            device.logicalDpiY(), reports[i]);
    }
    if (!painter.end())
        return QStringLiteral("the report's pages could not be finished");
    return {};
}

QString writeReportPdf(const std::vector<PositionReport> &reports, QSaveFile &file)
{
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(int(kPdfDpi));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        pdf.setCreator(QStringLiteral("Velmora"));
        pdf.setTitle(reports.size() == 1 ? reports.front().heading : QStringLiteral("Positions"));
        if (const QString error = paintReportPages(pdf, reports); !error.isEmpty()) {
            file.cancelWriting();
            return QStringLiteral("The report could not be written to %1: %2")
                .arg(file.fileName(), error);
        }
    }
    if (!file.commit())
        return QStringLiteral("The report could not be written to %1: %2")
            .arg(file.fileName(), file.errorString());
    return {};
}

} // namespace velmora
