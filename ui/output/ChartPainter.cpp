#include "ui/output/ChartPainter.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

// Texts are laid out in a box this large from their top-left corner; the
// box only anchors the text, it is not clipped.
constexpr double kTextBox = 1.0e6;

QFont chartFont(bool bold)
{
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    // Sized in twips: the painter's transform scales it with everything else.
    font.setPixelSize(static_cast<int>(ChartPixels::FontHeight));
    font.setBold(bold);
    return font;
}

// The record after its last Clear: what the surface shows.
std::vector<ChartOp>::const_iterator firstShown(const std::vector<ChartOp> &ops)
{
    const auto lastClear = std::find_if(ops.rbegin(), ops.rend(),
        [](const ChartOp &op) { return op.kind == ChartOp::Kind::Clear; });
    return lastClear.base();
}

// Lines are one screen pixel (kTwipsPerPixel twips) wide, scaled. A line of
// pen width w covers, like a pen on a pixel surface, the band of w device
// pixels that starts at the pixel holding each end point; so a one-pixel
// line on screen lies crisply on one row or column of pixels.
void drawLine(QPainter &painter, const QTransform &toDevice, const ChartOp &op)
{
    const double width = std::max(1.0, kTwipsPerPixel * toDevice.m11());
    const auto snapped = [&](double x, double y) {
        const QPointF p = toDevice.map(QPointF(x, y));
        return QPointF(std::floor(p.x()) + width / 2, std::floor(p.y()) + width / 2);
    };
    QPen pen(colourOf(op.colour), width);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(snapped(op.x1, op.y1), snapped(op.x2, op.y2));
}

// A light wash of the area's colour: the grid and the curves show through.
void shadeArea(QPainter &painter, const ChartOp &op)
{
    QColor shade = colourOf(op.colour);
    shade.setAlphaF(0.3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawPolygon(op.corners.data(), int(op.corners.size()));
    painter.setBrush(Qt::NoBrush);
}

} // namespace

QColor colourOf(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QTransform chartTransform(const ChartSurface &surface, const QRectF &target)
{
    const double width = surface.scaleWidth();
    const double height = surface.scaleHeight();
    if (width <= 0 || height <= 0 || target.isEmpty())
        return QTransform(0, 0, 0, 0, target.x(), target.y()); // nothing to show
    const double scale = std::min(target.width() / width, target.height() / height);
    const double left = target.x() + (target.width() - width * scale) / 2;
    const double top = target.y() + (target.height() - height * scale) / 2;
    return QTransform(scale, 0, 0, scale, left, top);
}

QSize chartPixelSize(const ChartSurface &surface, bool bordered)
{
    const double border = bordered ? 2 * ChartSize::BorderTwips : 0.0;
    const auto pixels = [](double twips) {
        return std::max(1, static_cast<int>(std::ceil(twips / kTwipsPerPixel)));
    };
    return {pixels(surface.scaleWidth() + border), pixels(surface.scaleHeight() + border)};
}

void paintChart(QPainter &painter, const ChartSurface &surface, const QRectF &target)
{
    const QTransform toDevice = chartTransform(surface, target);
    if (!toDevice.isInvertible())
        return;
    const QRectF area = toDevice.mapRect(QRectF(0, 0, surface.scaleWidth(), surface.scaleHeight()));
    const ChartPalette &palette = surface.palette();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(area, Qt::IntersectClip);
    painter.fillRect(area, colourOf(palette.background));

    // Lines are placed in device pixels; texts are laid out in twips.
    const QTransform lineSpace = painter.worldTransform();
    const QTransform textSpace = toDevice * lineSpace;
    const QFont regular = chartFont(false);
    const QFont bold = chartFont(true);
    const QColor foreground = colourOf(palette.foreground);
    const auto &ops = surface.ops();
    for (auto it = firstShown(ops); it != ops.end(); ++it) {
        const ChartOp &op = *it;
        switch (op.kind) {
        case ChartOp::Kind::Text:
            painter.setWorldTransform(textSpace);
            painter.setFont(op.bold ? bold : regular);
            painter.setPen(foreground);
            painter.drawText(QRectF(op.x1, op.y1, kTextBox, kTextBox),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, op.text);
            break;
        case ChartOp::Kind::Line:
            painter.setWorldTransform(lineSpace);
            drawLine(painter, toDevice, op);
            break;
        case ChartOp::Kind::Area:
            painter.setWorldTransform(textSpace);
            shadeArea(painter, op);
            break;
        case ChartOp::Kind::Clear:
            break;
        }
    }
    painter.restore();
}

} // namespace velmora
