#pragma once
// An opaque image into a PNG file through libpng. Rows are stored without a
// row filter: the chart is mostly one flat colour, so the filters Qt's own
// writer tries on every row cost more time than they save bytes.

#include <QString>

class QImage;
class QIODevice;

namespace velmora
{

// Writes `image` (any format; alpha is dropped) as 8-bit RGB; returns an
// error text, empty when every byte reached the device.
QString writePngImage(const QImage &image, QIODevice &device);

} // namespace velmora
