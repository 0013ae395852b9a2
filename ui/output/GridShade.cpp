#include "ui/output/GridShade.h"

#include <algorithm>
#include <cmath>

namespace velmora
{

namespace
{

const QColor kProfit(0, 130, 40);
const QColor kLoss(200, 20, 20);
const QColor kFlat(245, 245, 245);
// The faintest shade of a cell that is not 0, so that a cent of profit is
// still told from a cent of loss.
constexpr double kFaintest = 0.12;

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const auto part = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    return {
        part(from.red(), to.red()), part(from.green(), to.green()), part(from.blue(), to.blue())};
}

double luminance(const QColor &c)
{
    const auto linear
        = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

GridShade gridShade(double amount, double largest)
{
    QColor background = kFlat;
    if (std::abs(amount) >= 0.005 && std::isfinite(amount)) {
        const double size = largest > 0 ? std::min(std::abs(amount) / largest, 1.0) : 1.0;
        background = mixed(kFlat, amount > 0 ? kProfit : kLoss, kFaintest + (1 - kFaintest) * size);
    }
    const QColor black(Qt::black), white(Qt::white);
    return {background,
        contrastRatio(background, black) >= contrastRatio(background, white) ? black : white};
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace velmora
