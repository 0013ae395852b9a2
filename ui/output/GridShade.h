#pragma once
// The colours of a P/L grid cell, on screen and on paper alike: green for a
// profit and red for a loss, further from the plain shade the larger the
// amount, and the text black or white, whichever stands out more.

#include <QColor>

namespace velmora
{

struct GridShade {
    QColor background;
    QColor text;
};

// `largest` is the largest amount of the grid, which gets the full colour.
GridShade gridShade(double amount, double largest);

// How far apart two colours' brightness is, as the accessibility
// guidelines measure it: 1 (none) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

} // namespace velmora
