#pragma once
// A chart record shaped like a real Covered Calls chart (about 100 ops): the
// base, price markers, the payoff line, ticks, the value table and the
// disclaimer. Shared by the render tests and the paint benchmark.

#include "chart/ChartSurface.h"
#include "chart/GraphBase.h"

#include <QString>

namespace velmora::sample
{

inline void printAt(ChartSurface &s, double x, double y, const QString &text)
{
    s.moveTo(x, y);
    s.print(text);
}

inline void drawSampleChart(ChartSurface &s)
{
    drawGraphBase(s);
    const double y0 = s.scaleHeight() / 2;
    // Break-even and strike markers with their stems.
    for (const double x : {4000.0, 9000.0}) {
        printAt(s, x, y0 - 100, QStringLiteral("|"));
        for (int i = 1; i <= 3; ++i)
            printAt(s, x, y0 + 100 + 200 * i, QStringLiteral("|"));
    }
    printAt(s, 4000, y0 + 100, QStringLiteral(" 47.5 "));
    printAt(s, 3600, y0 + 1000, QStringLiteral("(Break Even Point)"));
    printAt(s, 9000, y0 + 100, QStringLiteral(" 55 "));
    printAt(s, 8700, y0 + 1000, QStringLiteral("(Strike Price)"));
    // Payoff line: loss below break-even, rising to the strike, flat above.
    s.line(1000, y0 + 2500, 4000, y0, ChartColour::PayoffRed);
    s.line(4000, y0, 9000, y0 - 2500, ChartColour::PayoffRed);
    s.line(9000, y0 - 2500, s.scaleWidth() - 500, y0 - 2500, ChartColour::PayoffRed);
    // Price ticks and profit-level ticks.
    const char *prices[] = {" 40 ", " 45 ", " 50 ", " 60 ", " 65 "};
    const double tickX[] = {2000, 3000, 6500, 11000, 13000};
    for (int i = 0; i < 5; ++i) {
        printAt(s, tickX[i], y0 - 100, QStringLiteral("|"));
        printAt(s, tickX[i], y0 + 100, QString::fromLatin1(prices[i]));
    }
    for (const double level : {y0 - 2500, y0 - 1200, y0 + 1500}) {
        printAt(s, 930, level - 300, QStringLiteral("__"));
        printAt(s, 1200, level - 200, QStringLiteral(" 750 "));
    }
    // Value table.
    s.setFontBold(true);
    const double columns[] = {8500, 10500, 12500, 14000};
    const char *header1[] = {"XYZ at", "Stock", "Call", "Total"};
    const char *header2[] = {"Expiration($)", "Profit/Loss($)", "Profit/Loss($)", "Profit/Loss($)"};
    for (int c = 0; c < 4; ++c) {
        printAt(s, columns[c], y0 + 2500, QString::fromLatin1(header1[c]));
        printAt(s, columns[c], y0 + 2700, QString::fromLatin1(header2[c]));
    }
    const double top = y0 + 2400;
    s.line(8500, top, 15500, top, ChartColour::RuleGreen);
    s.line(8500, top + 600, 15500, top + 600, ChartColour::RuleGreen);
    s.setFontBold(false);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c)
            printAt(
                s, columns[c], y0 + 3200 + 400 * r, QStringLiteral(" %1 ").arg(100 * r - 150 * c));
    }
    s.line(8500, y0 + 5000, 15500, y0 + 5000, ChartColour::RuleGreen);
    printAt(s, 1300, 100,
        QStringLiteral("THIS TOOL SHOULD BE USED FOR REFERENCE PURPOSES ONLY. MAKERS OF THIS TOOL "
                       "WILL NOT BE LIABLE FOR ANY MONETARY LOSS ARISING FROM EQUITY/DERIVATIVE"));
    printAt(s, 1300, 300, QStringLiteral(" POSITIONS INITIATED WITH THE HELP OF THIS TOOL."));
}

} // namespace velmora::sample
