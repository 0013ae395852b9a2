#pragma once
// The analysis chart, recorded on the same surface as the schematic chart so
// that one painter shows, prints and exports both: profit/loss against the
// stock price to true scale, with the curves at expiration, today and on the
// evaluation date, the zero line, shaded profit and loss areas, markers for
// the strikes, the break-evens, the stretches of no profit or loss and the
// stock price, round-number axes and a legend; above it a title with the
// position in short and a line with the inputs, so that every copy of the
// chart says what it shows.

#include "chart/ChartSurface.h"
#include "strategies/PositionAnalysis.h"

#include <QString>

namespace velmora
{

namespace AnalysisColour
{
constexpr int AtExpiry = rgbValue(255, 90, 90);
constexpr int Today = rgbValue(60, 190, 255);
constexpr int OnDate = rgbValue(235, 160, 0);
} // namespace AnalysisColour

// Where the plot lies on the surface, in twips, and what it shows.
struct AnalysisFrame {
    double left = 0, top = 0, width = 1, height = 1; // the plot area
    double lowPrice = 0, highPrice = 1; // at its left and right edges
    double lowAmount = 0, highAmount = 1; // at its bottom and top edges

    double xOf(double price) const
    {
        return left + (price - lowPrice) / (highPrice - lowPrice) * width;
    }
    double yOf(double amount) const
    {
        return top + (highAmount - amount) / (highAmount - lowAmount) * height;
    }
    double priceAt(double x) const
    {
        return lowPrice + (x - left) / width * (highPrice - lowPrice);
    }
};

struct AnalysisScene {
    Legs legs;
    AnalysisInputs inputs;
    ExpiryFigures figures;
    QString dateCaption; // legend text of the evaluation date's curve: "On 2026-12-16"
    QString title = {}; // the position in short (positionTitle()); the legs alone when empty
};

// The chart's second line: how each call is priced, the rate, the dividend,
// the days and the evaluation date.
QString inputsCaption(const AnalysisScene &scene, const LegVolatilities &volatilities);

// A volatility as the captions show it: "31.27 %".
QString volatilityText(double volatility);

// Clears the surface and records the chart over the given prices; answers
// the frame it drew in. Inputs must be sound (analysisProblem() answers nothing).
AnalysisFrame drawAnalysisChart(
    ChartSurface &surface, const AnalysisScene &scene, PriceRange prices);

// A money amount as the axes and the figures show it: "$1,250", "-$37.50".
QString currencyText(double amount, int decimals = 2);

// A round step (1, 2 or 5 times a power of 10) that cuts span into at most
// `most` parts.
double roundStep(double span, int most);

} // namespace velmora
