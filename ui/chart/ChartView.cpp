#include "ui/chart/ChartView.h"

#include "strategies/ChartSummary.h"
#include "ui/output/ChartPainter.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <utility>

namespace velmora
{

namespace
{

// The chart to an assistive tool: a chart whose text is its table of values,
// read only.
class ChartViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ChartViewAccessible(ChartView *view)
        : QAccessibleWidget(view, QAccessible::Chart)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int start, int end) const override
    {
        return table().mid(start, std::max(0, end - start));
    }
    int characterCount() const override { return int(table().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return {};
    }
    using QAccessibleWidget::text;

private:
    const QString &table() const { return static_cast<const ChartView *>(widget())->tableText(); }
};

QAccessibleInterface *chartViewAccessible(const QString &className, QObject *object)
{
    if (className == u"velmora::ChartView")
        return new ChartViewAccessible(static_cast<ChartView *>(object));
    return nullptr;
}

} // namespace

ChartView::ChartView(const ChartSurface *surface, QWidget *parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool installed = [] {
        QAccessible::installFactory(chartViewAccessible);
        return true;
    }();
    Q_UNUSED(installed);
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

void ChartView::describe(const ChartSummary &summary)
{
    const QString before = std::exchange(m_tableText, tabSeparated(summary.table));
    setAccessibleName(summary.name);
    setAccessibleDescription(summary.figures);
    QAccessibleTextUpdateEvent changed(this, 0, before, m_tableText);
    QAccessible::updateAccessibility(&changed);
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
