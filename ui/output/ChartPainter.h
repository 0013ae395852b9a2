#pragma once
// The one painter of the chart: it replays a surface's record onto any
// QPainter, so the screen, the printer, the print preview and the exported
// files all show the same picture.
//
// Two spaces meet here. The record is in twips (origin at the top left of the
// surface's inner area, y downwards); the painter's device is in its own
// pixels. chartTransform() is the only place that maps one onto the other.

#include "chart/ChartSurface.h"
#include "chart/Twips.h"

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QTransform>

class QPainter;

namespace velmora
{

namespace ChartPixels
{
// The surface's default font: about 8.25 pt, in twips.
constexpr double FontHeight = 165;
// The surface's single fixed border, in pixels on each side.
constexpr int BorderPixels = static_cast<int>(ChartSize::BorderTwips) / kTwipsPerPixel;
} // namespace ChartPixels

// Colour value (red + 256 green + 65536 blue) as a QColor.
QColor colourOf(int value);

// Maps the surface's W x H twips onto target, keeping proportions: scaled as
// large as fits and centred. Twip point (x, y) goes to the device point this
// transform gives.
QTransform chartTransform(const ChartSurface &surface, const QRectF &target);

// Pixels a surface covers on screen: its inner size plus, when bordered, the
// fixed border on each side; at least 1 x 1.
QSize chartPixelSize(const ChartSurface &surface, bool bordered);

// Fills the chart's area of target with the palette's background, then draws
// the record from its last Clear on. Painter state is left as it was found.
void paintChart(QPainter &painter, const ChartSurface &surface, const QRectF &target);

} // namespace velmora
