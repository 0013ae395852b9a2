#include "ui/chart/ChartView.h"

#include "ui/output/ChartPainter.h"

#include <QPainter>
#include <qdrawutil.h>

namespace velmora
{

ChartView::ChartView(const ChartSurface *surface, QWidget *parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::setBordered(bool bordered)
{
    if (m_bordered == bordered)
        return;
    m_bordered = bordered;
    updateGeometry();
    update();
}

void ChartView::surfaceResized()
{
    updateGeometry();
    update();
}

QSize ChartView::sizeHint() const
{
    if (!m_surface)
        return {1, 1};
    return chartPixelSize(*m_surface, m_bordered);
}

QSize ChartView::minimumSizeHint() const
{
    const int border = m_bordered ? 2 * ChartPixels::BorderPixels : 0;
    return {border + 1, border + 1};
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect inner = rect();
    if (m_bordered) {
        qDrawWinPanel(&painter, inner, palette(), true);
        inner.adjust(ChartPixels::BorderPixels, ChartPixels::BorderPixels,
            -ChartPixels::BorderPixels, -ChartPixels::BorderPixels);
    }
    if (!m_surface) {
        painter.fillRect(inner, palette().window());
        return;
    }
    // The part of the widget that the scaled chart leaves free keeps the
    // chart's background, so a resize shows no stale pixels.
    painter.fillRect(inner, colourOf(m_surface->palette().background));
    paintChart(painter, *m_surface, inner);
}

} // namespace velmora
