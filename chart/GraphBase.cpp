#include "chart/GraphBase.h"

namespace velmora
{

void drawGraphBase(ChartSurface &s)
{
    s.clear();
    const auto printAt = [&s](double x, double y, const char *text) {
        s.moveTo(x, y);
        s.print(QString::fromLatin1(text));
    };
    s.setFontBold(true);
    printAt(100, 200, "Profit($)");
    s.setFontBold(false);
    printAt(960, 200, "^");
    s.setFontBold(true);
    printAt(100, s.scaleHeight() - 300, "Loss($)");
    // Only the profit-axis captions are bold; the price axis's and the chart's
    // own texts are regular.
    s.setFontBold(false);
    printAt(s.scaleWidth() - 1000, s.scaleHeight() / 2 + 100, "Stock");
    printAt(s.scaleWidth() - 1000, s.scaleHeight() / 2 + 300, "Price");
    s.line(0, s.scaleHeight() / 2, s.scaleWidth(), s.scaleHeight() / 2, ChartColour::PayoffRed);
    s.line(1000, 0, 1000, s.scaleHeight(), ChartColour::PayoffRed);
}

} // namespace velmora
