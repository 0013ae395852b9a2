#pragma once
// The drawing devices every chart shares, on top of the recording surface:
// printing a text or a number at a position, coloured lines, bold type, the
// zero-profit line y0 and the disclaimer. Numbers are printed as the surface
// prints them (" 18 ", "-600 "), rounded to 2 decimals unless a chart says
// otherwise; a number that cannot be printed or converted is a ChartFault.

#include "chart/ChartSurface.h"
#include "strategies/ChartFault.h"

#include <QString>

namespace velmora
{

class ChartPen
{
public:
    explicit ChartPen(ChartSurface &surface)
        : m_surface(surface)
    {
    }

    ChartSurface &surface() { return m_surface; }

    // Read afresh at each use: printing narrows the surface.
    double H() const { return m_surface.scaleHeight(); }
    double y0() const { return m_surface.scaleHeight() / 2; }
    double xc() const { return m_surface.scaleWidth() / 2; }

    void printAt(double x, double y, const QString &text);
    void printAt(double x, double y, const char *text) { printAt(x, y, QString::fromUtf8(text)); }
    // The number rounded to 2 decimals, half to even, in its printed form.
    void printNumberAt(double x, double y, double value);
    // The number as it is, in its printed form (up to 15 significant digits);
    // a ChartFault when it is not finite or too large to print without an
    // exponent (1E+15 and beyond).
    void printExactAt(double x, double y, double value);
    void line(double x1, double y1, double x2, double y2, int colour);
    void bold(bool on) { m_surface.setFontBold(on); }

    // The whole-number value (half to even) of x; a ChartFault when it does
    // not fit in 32 bits or is not finite.
    static int whole(double value);
    // The value itself; a ChartFault when it is not finite.
    static double finite(double value);

    // The two disclaimer lines at (1300, 100) and (1300, 300), regular type.
    void disclaimer();

private:
    ChartSurface &m_surface;
};

} // namespace velmora
