#pragma once
// The one conversion between twips (1/1440 inch), the unit every position and
// size of the windows and the chart is given in, and logical pixels. Logical
// pixels are 1/96 inch, so a pixel is 15 twips; Qt scales logical pixels to
// the screen, which keeps the layout the same on high-density displays.

namespace velmora
{

constexpr int kTwipsPerPixel = 15;

// Twips to the nearest logical pixel, halves away from zero.
constexpr int twipsToPixels(double twips)
{
    const double pixels = twips / kTwipsPerPixel;
    return static_cast<int>(pixels >= 0 ? pixels + 0.5 : pixels - 0.5);
}

// Where a group or the chart surface is parked while it is out of view.
constexpr int kParkedLeftTwips = -100000;

} // namespace velmora
