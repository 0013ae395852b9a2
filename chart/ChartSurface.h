#pragma once
// The chart surface as the chart code sees it: a drawing area measured in
// twips (1/1440 inch), origin top left, y downwards, that records every
// operation instead of painting it. One painter replays the record on screen,
// on paper and into files (ui/output/ChartPainter.h).
//
// Like the picture box it stands for, the surface has a current position
// that printing moves, a bold switch, and drawing and background colours.

#include <QPointF>
#include <QString>

#include <vector>

namespace velmora
{

// Colour values are red + 256 × green + 65536 × blue.
constexpr int rgbValue(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}
namespace ChartColour
{
constexpr int PayoffRed = 192; // payoff line and axes
constexpr int RuleGreen = 32768; // table rules
constexpr int White = rgbValue(255, 255, 255);
constexpr int Black = 0;
constexpr int ScreenBackground = rgbValue(0, 64, 64);
} // namespace ChartColour

struct ChartOp {
    enum class Kind { Text, Line, Clear, Area };
    Kind kind = Kind::Clear;
    // Text: top-left corner at (x1, y1). Line: from (x1, y1) to (x2, y2).
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString text;
    bool bold = false;
    int colour = 0; // lines and areas
    std::vector<QPointF> corners; // Area: a polygon, lightly shaded in its colour

    friend bool operator==(const ChartOp &, const ChartOp &) = default;
};

// Background and drawing colour of the surface; texts take the drawing colour.
struct ChartPalette {
    int background = ChartColour::ScreenBackground;
    int foreground = ChartColour::White;

    static ChartPalette screen() { return {}; }
    static ChartPalette print() { return {ChartColour::White, ChartColour::Black}; }
    friend bool operator==(const ChartPalette &, const ChartPalette &) = default;
};

// Sizes of the surface in twips.
namespace ChartSize
{
constexpr double OuterWidth = 16170;
constexpr double OuterHeight = 10260;
constexpr double PrintNarrowing = 500; // the surface is this much narrower while printing
constexpr double BorderTwips = 30; // a single fixed border: 2 pixels of 15 twips a side
} // namespace ChartSize

class ChartSurface
{
public:
    ChartSurface();

    // Inner size W × H in twips: what the chart code reads at each use.
    double scaleWidth() const { return m_width; }
    double scaleHeight() const { return m_height; }
    void setScaleSize(double width, double height);
    // Outer size and border as the window sets them; W and H follow.
    void setOuter(double outerWidth, double outerHeight, bool bordered);

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }
    void moveTo(double x, double y)
    {
        m_x = x;
        m_y = y;
    }

    bool fontBold() const { return m_bold; }
    void setFontBold(bool bold) { m_bold = bold; }

    const ChartPalette &palette() const { return m_palette; }
    void setPalette(const ChartPalette &palette) { m_palette = palette; }

    // Prints a text with its top-left corner at the current position, then
    // moves the current position to the start of the next text line.
    void print(const QString &text);
    // Draws a line and leaves the current position at its end.
    void line(double x1, double y1, double x2, double y2, int colour);
    // Shades the polygon lightly, so lines and texts beneath stay readable.
    void area(std::vector<QPointF> corners, int colour);
    // Erases everything; the current position goes back to (0, 0).
    void clear();

    const std::vector<ChartOp> &ops() const { return m_ops; }
    // Replaces the whole record, as a finished chart request does.
    void setOps(std::vector<ChartOp> ops) { m_ops = std::move(ops); }

    // Height of one text line of the surface's font, in twips.
    static constexpr double kLineHeight = 195;

private:
    double m_width = 0;
    double m_height = 0;
    double m_x = 0;
    double m_y = 0;
    bool m_bold = false;
    ChartPalette m_palette;
    std::vector<ChartOp> m_ops;
};

} // namespace velmora
