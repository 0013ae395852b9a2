#include "ui/chart/AnalysisView.h"

#include "ui/output/ChartPainter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

constexpr double kZoomStep = 0.85; // the range's part left by one step closer
constexpr double kKeyPanShare = 0.1; // of the range, for Ctrl+Left/Right
constexpr int kStepsInRange = 200; // at most, of the crosshair's price step

// Before expiration only with today's stock price.
QString readoutText(const HoverReadout &r)
{
    QString text = QStringLiteral("Price %1\nAt expiration %2")
                       .arg(currencyText(r.price), currencyText(r.values.atExpiry));
    if (r.values.today)
        text += QStringLiteral("\nToday ") + currencyText(*r.values.today);
    if (r.values.onDate)
        text += u'\n' + r.dateCaption + u' ' + currencyText(*r.values.onDate);
    return text;
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
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Profit/loss chart"));
}

void AnalysisView::setScene(AnalysisScene scene, bool resetRange)
{
    const bool reset = resetRange || !m_hasScene;
    m_scene = std::move(scene);
    m_hasScene = true;
    setAccessibleName(QStringLiteral("Profit/loss chart: ") + m_scene.title);
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
    // The price under a mouse that stayed put changes with the range.
    refreshCrosshair();
}

void AnalysisView::refreshCrosshair()
{
    m_hover.reset();
    if (m_hasScene && m_keyPrice) {
        m_keyPrice = std::clamp(*m_keyPrice, m_frame.lowPrice, m_frame.highPrice);
        const CurveValues values = curveValuesAt(m_scene.legs, m_scene.inputs, *m_keyPrice);
        // The level line through today's curve (the expiry one without it), inside the plot.
        const double y = m_frame.yOf(values.today.value_or(values.atExpiry));
        m_hover = HoverReadout {
            {m_frame.xOf(*m_keyPrice), std::clamp(y, m_frame.top, m_frame.top + m_frame.height)},
            *m_keyPrice, values, m_scene.dateCaption};
    } else if (m_hasScene && m_mouse) {
        const double price = m_frame.priceAt(m_mouse->x());
        m_hover = HoverReadout {*m_mouse, price, curveValuesAt(m_scene.legs, m_scene.inputs, price),
            m_scene.dateCaption};
    }
    setAccessibleDescription(
        m_hover ? readoutText(*m_hover).replace(u'\n', QStringLiteral("; ")) : QString());
    update();
}

double AnalysisView::priceStep() const
{
    return roundStep(m_range.high - m_range.low, kStepsInRange);
}

double AnalysisView::crosshairPrice() const
{
    if (m_hover)
        return m_hover->price;
    // Where the crosshair starts: today's stock price, or the middle of the view.
    const std::optional<double> stock = m_scene.inputs.stockPrice;
    if (stock && *stock >= m_range.low && *stock <= m_range.high)
        return *stock;
    return (m_range.low + m_range.high) / 2;
}

// To the next point of the step's grid that way, then on by whole steps.
void AnalysisView::moveCrosshair(int steps)
{
    const double step = priceStep();
    const double from = crosshairPrice() / step;
    const double onGrid = steps > 0 ? std::floor(from + 1e-9) : std::ceil(from - 1e-9);
    m_keyPrice = std::max(0.0, (onGrid + steps) * step);
    m_mouse.reset();
    refreshCrosshair();
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
    return {320, 240};
}

void AnalysisView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintHoverFrame(painter, m_cache, toDevice(), m_frame, m_hover);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
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
    m_keyPrice.reset();
    m_mouse = inPlot ? std::optional(point) : std::nullopt;
    refreshCrosshair();
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
    m_mouse.reset();
    refreshCrosshair();
}

void AnalysisView::keyPressEvent(QKeyEvent *event)
{
    if (!m_hasScene)
        return QWidget::keyPressEvent(event);
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int steps = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int way = event->key() == Qt::Key_Right ? 1 : -1;
        if (control)
            pan(way * kKeyPanShare * (m_range.high - m_range.low));
        else
            moveCrosshair(way * steps);
        break;
    }
    case Qt::Key_Plus:
    case Qt::Key_Equal: // + without Shift
        zoom(kZoomStep, crosshairPrice());
        break;
    case Qt::Key_Minus:
        zoom(1 / kZoomStep, crosshairPrice());
        break;
    case Qt::Key_0:
        resetRange();
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

// Reached from the keyboard, the crosshair shows at once.
void AnalysisView::focusInEvent(QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    const bool byKeys = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
        || reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
    if (byKeys && !m_hover && m_hasScene) {
        m_keyPrice = crosshairPrice();
        refreshCrosshair();
    }
    update();
}

void AnalysisView::focusOutEvent(QFocusEvent *)
{
    m_keyPrice.reset();
    refreshCrosshair();
}

} // namespace velmora
