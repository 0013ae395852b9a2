#include "strategies/AnalysisChart.h"

#include "strategies/ChartPen.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

constexpr int kSamples = 400;
constexpr int kGrid = rgbValue(80, 120, 120); // faint on the dark screen and on paper alike
constexpr int kMarker = rgbValue(170, 140, 255);
constexpr int kProfitShade = rgbValue(0, 210, 0);
constexpr int kLossShade = rgbValue(255, 30, 30);
constexpr double kCharWidth = 90; // about one character of the surface's font, in twips
// An axis never gets more labels than this, whatever its amounts.
constexpr int kMostTicks = 40;

int decimalsOf(double step)
{
    return std::max(0, int(std::ceil(-std::log10(step) - 1e-9)));
}

// The lowest and highest amount any curve reaches, 0 included.
std::pair<double, double> amountRange(const AnalysisCurves &c)
{
    double low = 0, high = 0;
    for (const auto *curve : {&c.atExpiry, &c.today, &c.onDate})
        for (double v : *curve)
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
    const double margin = std::max((high - low) * 0.08, 1.0);
    return {low - margin, high + margin};
}

// The expiry curve exactly: straight between its corners.
std::vector<QPointF> expiryPolyline(const AnalysisScene &scene, const AnalysisFrame &f)
{
    std::vector<double> prices {f.lowPrice, f.highPrice};
    for (const Leg &leg : scene.legs)
        if (leg.kind == Leg::Kind::Call)
            prices.push_back(leg.strike);
    prices.insert(prices.end(), scene.figures.breakEvens.begin(), scene.figures.breakEvens.end());
    std::sort(prices.begin(), prices.end());
    std::vector<QPointF> points;
    for (double p : prices)
        if (p >= f.lowPrice && p <= f.highPrice)
            points.emplace_back(f.xOf(p), f.yOf(expiryProfit(scene.legs, p)));
    return points;
}

// The part of the area between the expiry curve and the zero line that lies
// above it (profit) or below it (loss).
std::vector<QPointF> shadeOf(const std::vector<QPointF> &curve, double zeroY, bool profit)
{
    std::vector<QPointF> area {{curve.front().x(), zeroY}};
    for (std::size_t i = 0; i < curve.size(); ++i) {
        if (i > 0) {
            const QPointF a = curve[i - 1], b = curve[i];
            if ((a.y() - zeroY) * (b.y() - zeroY) < 0) // crosses the zero line
                area.emplace_back(
                    a.x() + (b.x() - a.x()) * (zeroY - a.y()) / (b.y() - a.y()), zeroY);
        }
        const double y = profit ? std::min(curve[i].y(), zeroY) : std::max(curve[i].y(), zeroY);
        area.emplace_back(curve[i].x(), y);
    }
    area.emplace_back(curve.back().x(), zeroY);
    return area;
}

void polyline(ChartSurface &surface, const AnalysisFrame &f, const std::vector<double> &prices,
    const std::vector<double> &amounts, int colour)
{
    for (std::size_t i = 1; i < amounts.size(); ++i)
        surface.line(f.xOf(prices[i - 1]), f.yOf(amounts[i - 1]), f.xOf(prices[i]),
            f.yOf(amounts[i]), colour);
}

void axes(ChartPen &pen, const AnalysisFrame &f)
{
    ChartSurface &surface = pen.surface();
    const int ink = surface.palette().foreground;
    const double bottom = f.top + f.height;
    const double priceStep = roundStep(f.highPrice - f.lowPrice, 10);
    const double firstPrice = std::ceil(f.lowPrice / priceStep) * priceStep;
    for (int tick = 0; tick < kMostTicks; ++tick) {
        const double p = firstPrice + tick * priceStep;
        if (p > f.highPrice)
            break;
        const double x = f.xOf(p);
        surface.line(x, f.top, x, bottom, kGrid);
        const QString label = currencyText(p, decimalsOf(priceStep));
        pen.printAt(x - label.size() * kCharWidth / 2, bottom + 60, label);
    }
    const double amountStep = roundStep(f.highAmount - f.lowAmount, 8);
    const double firstAmount = std::ceil(f.lowAmount / amountStep) * amountStep;
    for (int tick = 0; tick < kMostTicks; ++tick) {
        const double a = firstAmount + tick * amountStep;
        if (a > f.highAmount)
            break;
        const double y = f.yOf(a);
        surface.line(f.left, y, f.left + f.width, y, kGrid);
        const QString label = currencyText(a, decimalsOf(amountStep));
        pen.printAt(f.left - 120 - label.size() * kCharWidth, y - 100, label);
    }
    surface.line(f.left, f.top, f.left, bottom, ink);
    surface.line(f.left, bottom, f.left + f.width, bottom, ink);
    if (f.lowAmount < 0 && f.highAmount > 0)
        surface.line(f.left, f.yOf(0), f.left + f.width, f.yOf(0), ink);
    pen.bold(true);
    pen.printAt(100, f.top - 330, QStringLiteral("Profit/Loss($)"));
    pen.printAt(f.left + f.width - 1500, bottom + 330, QStringLiteral("Stock Price($)"));
    pen.bold(false);
}

void markers(ChartPen &pen, const AnalysisScene &scene, const AnalysisFrame &f)
{
    ChartSurface &surface = pen.surface();
    const auto inView = [&f](double p) { return p >= f.lowPrice && p <= f.highPrice; };
    const double bottom = f.top + f.height;
    const double zeroY = std::clamp(f.yOf(0), f.top, bottom);
    std::vector<double> strikes;
    for (const Leg &leg : scene.legs)
        if (leg.kind == Leg::Kind::Call && inView(leg.strike))
            strikes.push_back(leg.strike);
    std::sort(strikes.begin(), strikes.end());
    strikes.erase(std::unique(strikes.begin(), strikes.end()), strikes.end());
    for (double k : strikes) {
        const double x = f.xOf(k);
        surface.line(x, f.top, x, f.top + 250, kMarker);
        surface.line(x, zeroY - 80, x, zeroY + 80, kMarker);
        pen.printAt(x + 40, f.top + 20, QStringLiteral("K ") + currencyText(k));
    }
    for (double b : scene.figures.breakEvens) {
        if (!inView(b))
            continue;
        const double x = f.xOf(b);
        surface.line(x, zeroY - 150, x, zeroY + 150, AnalysisColour::AtExpiry);
        pen.printAt(x + 40, zeroY + 40, QStringLiteral("BE ") + currencyText(b));
    }
    // A stretch of no profit or loss is drawn along the zero line, not as
    // break-evens at its ends.
    for (const PriceStretch &z : scene.figures.zeroStretches) {
        const double from = std::max(z.from, f.lowPrice);
        const double to = std::min(z.to.value_or(f.highPrice), f.highPrice);
        if (from > to)
            continue;
        surface.line(f.xOf(from), zeroY - 30, f.xOf(to), zeroY - 30, AnalysisColour::AtExpiry);
        surface.line(f.xOf(from), zeroY + 30, f.xOf(to), zeroY + 30, AnalysisColour::AtExpiry);
        const QString range = z.to
            ? currencyText(z.from) + QStringLiteral(" to ") + currencyText(*z.to)
            : QStringLiteral("from ") + currencyText(z.from);
        pen.printAt(f.xOf(from) + 40, zeroY + 40, QStringLiteral("P/L 0 ") + range);
    }
    if (scene.inputs.stockPrice && inView(*scene.inputs.stockPrice)) {
        const double x = f.xOf(*scene.inputs.stockPrice);
        const double spot = *scene.inputs.stockPrice;
        surface.line(x, bottom - 250, x, bottom, surface.palette().foreground);
        pen.printAt(x + 40, bottom - 230, QStringLiteral("Stock ") + currencyText(spot));
    }
}

void legend(ChartPen &pen, const AnalysisScene &scene, const AnalysisFrame &f)
{
    std::vector<std::pair<int, QString>> entries {
        {AnalysisColour::AtExpiry, QStringLiteral("At expiration")}};
    if (scene.inputs.stockPrice) {
        entries.emplace_back(AnalysisColour::Today, QStringLiteral("Today"));
        entries.emplace_back(AnalysisColour::OnDate, scene.dateCaption);
    }
    double y = f.top + 330;
    for (const auto &[colour, caption] : entries) {
        const double x = f.left + f.width - 2600;
        pen.line(x, y + 100, x + 400, y + 100, colour);
        pen.printAt(x + 500, y, caption);
        y += 230;
    }
}

void heading(ChartPen &pen, const AnalysisScene &scene)
{
    pen.bold(true);
    pen.printAt(100, 60, scene.title.isEmpty() ? legsSummary(scene.legs) : scene.title);
    pen.bold(false);
    pen.printAt(100, 330, inputsCaption(scene, legVolatilities(scene.legs, scene.inputs)));
}

QString percentText(double percent)
{
    return QString::number(percent, 'g', 6) + QStringLiteral(" %");
}

} // namespace

QString volatilityText(double volatility)
{
    return QString::number(100 * volatility, 'f', 2) + QStringLiteral(" %");
}

QString inputsCaption(const AnalysisScene &scene, const LegVolatilities &volatilities)
{
    const AnalysisInputs &in = scene.inputs;
    QStringList parts;
    if (!in.stockPrice) {
        parts << QStringLiteral("No stock price today: figures at expiration only");
    } else if (in.volatilityMode == VolatilityMode::Typed) {
        parts << QStringLiteral("Volatility ") + percentText(in.volatilityPercent);
    } else {
        QStringList legs;
        for (std::size_t i = 0; i < scene.legs.size() && i < volatilities.size(); ++i) {
            if (scene.legs[i].kind != Leg::Kind::Call)
                continue;
            const bool implied = volatilities[i].implied.volatility.has_value();
            legs << QStringLiteral("C") + QString::number(scene.legs[i].strike, 'g', 12) + u' '
                    + volatilityText(volatilities[i].used)
                    + (implied ? QString() : QStringLiteral(" typed"));
        }
        parts << QStringLiteral("Implied volatility ") + legs.join(QStringLiteral(", "));
    }
    parts << QStringLiteral("rate ") + percentText(in.ratePercent)
          << QStringLiteral("dividend ") + percentText(in.dividendPercent)
          << QString::number(in.days, 'g', 12) + QStringLiteral(" days to expiration");
    if (in.stockPrice)
        parts << QStringLiteral("stock ") + currencyText(*in.stockPrice)
              << QStringLiteral("evaluated ") + scene.dateCaption.toLower();
    return parts.join(QStringLiteral("; "));
}

QString currencyText(double amount, int decimals)
{
    if (!std::isfinite(amount))
        return QStringLiteral("-");
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    const double shown = std::abs(amount) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : amount;
    const QString digits = english.toString(std::abs(shown), 'f', decimals);
    return (shown < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + digits;
}

double roundStep(double span, int most)
{
    if (!(span > 0) || !std::isfinite(span))
        return 1;
    const double raw = span / most;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

AnalysisFrame drawAnalysisChart(
    ChartSurface &surface, const AnalysisScene &scene, PriceRange prices)
{
    const double width = surface.scaleWidth();
    const double height = surface.scaleHeight();
    AnalysisFrame f;
    f.left = 1500;
    f.top = 1000;
    f.width = std::max(1.0, width - f.left - 400);
    f.height = std::max(1.0, height - f.top - 800);
    f.lowPrice = prices.low;
    f.highPrice = prices.high > prices.low ? prices.high : prices.low + 1;

    const AnalysisCurves curves
        = analysisCurves(scene.legs, scene.inputs, f.lowPrice, f.highPrice, kSamples);
    std::tie(f.lowAmount, f.highAmount) = amountRange(curves);

    surface.clear();
    const std::vector<QPointF> expiry = expiryPolyline(scene, f);
    const double zeroY = std::clamp(f.yOf(0), f.top, f.top + f.height);
    surface.area(shadeOf(expiry, zeroY, true), kProfitShade);
    surface.area(shadeOf(expiry, zeroY, false), kLossShade);
    ChartPen pen(surface);
    heading(pen, scene);
    axes(pen, f);
    markers(pen, scene, f);
    polyline(surface, f, curves.prices, curves.onDate, AnalysisColour::OnDate);
    polyline(surface, f, curves.prices, curves.today, AnalysisColour::Today);
    for (std::size_t i = 1; i < expiry.size(); ++i)
        surface.line(expiry[i - 1].x(), expiry[i - 1].y(), expiry[i].x(), expiry[i].y(),
            AnalysisColour::AtExpiry);
    legend(pen, scene, f);
    return f;
}

} // namespace velmora
