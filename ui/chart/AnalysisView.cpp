#include "ui/chart/AnalysisView.h"

#include "ui/output/ChartPainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace velmora
{

namespace
{

QString readoutText(const HoverReadout &r)
{
    return QStringLiteral("Price %1\nAt expiration %2\nToday %3\n%4 %5")
        .arg(currencyText(r.price), currencyText(r.values.atExpiry),
            currencyText(r.values.today.value_or(NAN)), r.dateCaption,
            currencyText(r.values.onDate.value_or(NAN)));
}

} // namespace

void paintHoverFrame(QPainter &painter, const QImage &chart, const QTransform &toDevice,
    const AnalysisFrame &frame, const std::optional<HoverReadout> &hover)
{
    painter.drawImage(0, 0, chart);
    if (!hover)
        return;
    const QRectF plot = toDevice.mapRect(QRectF(frame.left, frame.top, frame.width, frame.height));
    const QPointF at = toDevice.map(hover->point);
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
    painter.drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));

    const QString text = readoutText(*hover);
    QRectF box = painter.fontMetrics().boundingRect(QRect(0, 0, 400, 200), Qt::AlignLeft, text);
    box.adjust(-6, -4, 6, 4);
    // Beside the mouse, on the side where it fits.
    box.moveTopLeft(at + QPointF(14, 14));
    if (box.right() > plot.right())
        box.moveRight(at.x() - 14);
    if (box.bottom() > plot.bottom())
        box.moveBottom(at.y() - 14);
    painter.fillRect(box, QColor(0, 0, 0, 190));
    painter.setPen(Qt::white);
    painter.drawText(box.adjusted(6, 4, -6, -4), Qt::AlignLeft, text);
}

AnalysisView::AnalysisView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void AnalysisView::setScene(AnalysisScene scene, bool resetRange)
{
    const bool reset = resetRange || !m_hasScene;
    m_scene = std::move(scene);
    m_hasScene = true;
    if (reset)
        m_range = autoPriceRange(m_scene.legs, m_scene.inputs);
    record();
}

void AnalysisView::zoom(double factor, double aboutPrice)
{
    const double low = aboutPrice - (aboutPrice - m_range.low) * factor;
    const double high = aboutPrice + (m_range.high - aboutPrice) * factor;
    // Not below 0, not narrower than a cent, not wider than a thousandfold.
    if (high - low < 0.01 || high > highestViewPrice(m_scene.legs, m_scene.inputs))
        return;
    m_range = {std::max(0.0, low), high};
    record();
}

void AnalysisView::pan(double distance)
{
    const double width = m_range.high - m_range.low;
    const double low = std::max(0.0, m_range.low + distance);
    if (low + width > highestViewPrice(m_scene.legs, m_scene.inputs))
        return;
    m_range = {low, low + width};
    record();
}

void AnalysisView::resetRange()
{
    m_range = autoPriceRange(m_scene.legs, m_scene.inputs);
    record();
}

void AnalysisView::record()
{
    if (!m_hasScene)
        return;
    m_frame = drawAnalysisChart(m_surface, m_scene, m_range);
    m_cache = QImage(size() * devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    m_cache.setDevicePixelRatio(devicePixelRatio());
    m_cache.fill(colourOf(m_surface.palette().background));
    QPainter painter(&m_cache);
    paintChart(painter, m_surface, QRectF(rect()));
    if (m_hover)
        m_hover->values = curveValuesAt(m_scene.legs, m_scene.inputs, m_hover->price);
    update();
}

QTransform AnalysisView::toDevice() const
{
    return chartTransform(m_surface, QRectF(rect()));
}

QPointF AnalysisView::twipsAt(const QPointF &pixel) const
{
    return toDevice().inverted().map(pixel);
}

QSize AnalysisView::sizeHint() const
{
    return chartPixelSize(m_surface, false);
}

QSize AnalysisView::minimumSizeHint() const
{
    return {400, 260};
}

void AnalysisView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintHoverFrame(painter, m_cache, toDevice(), m_frame, m_hover);
}

void AnalysisView::resizeEvent(QResizeEvent *)
{
    record();
}

void AnalysisView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0 && m_hasScene)
        zoom(std::pow(0.85, steps), m_frame.priceAt(twipsAt(event->position()).x()));
    event->accept();
}

void AnalysisView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragPrice = m_frame.priceAt(twipsAt(event->position()).x());
}

void AnalysisView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_hasScene)
        return;
    const QPointF point = twipsAt(event->position());
    if (m_dragPrice && (event->buttons() & Qt::LeftButton)) {
        pan(*m_dragPrice - m_frame.priceAt(point.x()));
        return;
    }
    const bool inPlot = point.x() >= m_frame.left && point.x() <= m_frame.left + m_frame.width
        && point.y() >= m_frame.top && point.y() <= m_frame.top + m_frame.height;
    if (!inPlot) {
        m_hover.reset();
    } else {
        const double price = m_frame.priceAt(point.x());
        m_hover = HoverReadout {
            point, price, curveValuesAt(m_scene.legs, m_scene.inputs, price), m_scene.dateCaption};
    }
    update();
}

void AnalysisView::mouseReleaseEvent(QMouseEvent *)
{
    m_dragPrice.reset();
}

void AnalysisView::mouseDoubleClickEvent(QMouseEvent *)
{
    if (m_hasScene)
        resetRange();
}

void AnalysisView::leaveEvent(QEvent *)
{
    m_hover.reset();
    update();
}

} // namespace velmora
