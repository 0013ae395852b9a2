#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "strategies/ChartPen.h"
#include "strategies/ChartRequest.h"
#include "strategies/CheckMessage.h"
#include "strategies/LastDigitRule.h"
#include "strategies/StockWithCalls.h"
#include "strategies/ValueTable.h"

#include "chart/GraphBase.h"

#include <QLocale>

#include <cmath>

namespace velmora
{

namespace
{

constexpr StrategyKind kKind = StrategyKind::CoveredCalls;
const ControlId kStockPrice = field(kKind, FieldRole::StockPrice);
const ControlId kShares = field(kKind, FieldRole::Shares);
const ControlId kStrike = field(kKind, FieldRole::Strike1);
const ControlId kCallPrice = field(kKind, FieldRole::Premium1);
const ControlId kContracts = field(kKind, FieldRole::Contracts1);
const ControlId kCallTotal = field(kKind, FieldRole::CallTotal1);
const ControlId kValue = field(kKind, FieldRole::Value);
const ControlId kBreak = field(kKind, FieldRole::BreakEven);
const ControlId kSymbol = single("Text1");

std::optional<Refusal> check(const Workspace &f)
{
    const auto empty = [&f](const ControlId &id) { return isEmptyNumber(f.text(id)); };
    if (empty(kStockPrice))
        return attention("Stock Price should not be Left Empty.", kStockPrice);
    if (empty(kShares))
        return attention("Shares should not be Left Empty.", kShares);
    if (empty(kStrike))
        return attention("Strike Price should not be Left Empty.", kStrike);
    if (!(f.number(kStockPrice) < f.number(kStrike)))
        return attention("Strike Price must be Greater than Stock Price", kStrike);
    if (empty(kCallPrice))
        return attention("Call Price should not be Left Empty.", kCallPrice);
    if (empty(kContracts))
        return attention("Contracts should not be Left Empty.", kContracts);
    if (f.number(kShares) < 100)
        return attention("Shares should not be Less than 100.", kShares);
    if (!(f.number(kCallPrice) < f.number(kStockPrice)))
        return attention("Call Price should be Less than Stock Price.", kCallPrice);
    if (f.text(kContracts).contains(u'.'))
        return attention("Shares can only be Multiples of 100.", kShares, true);
    return std::nullopt;
}

// The shortest text that reads back as the very same number, in plain digits
// where the field's own form would lose a digit.
QString breakEvenText(double b)
{
    const QString text = numberText(b);
    if (fieldNumber(text) == b)
        return text;
    return QString::number(b, 'f', QLocale::FloatingPointShortest);
}

// The chart's figures while it is drawn.
class CoveredCallsChart
{
public:
    explicit CoveredCallsChart(StrategyContext &context)
        : m_fields(context.fields)
        , m_memory(context.memory)
        , m_pen(context.pen)
    {
        m_stockPrice = m_fields.number(kStockPrice);
        m_shares = m_fields.number(kShares);
        m_strike = m_fields.number(kStrike);
        m_callTotal = m_fields.number(kCallTotal);
        m_value = m_fields.number(kValue);
    }

    void draw()
    {
        drawGraphBase(m_pen.surface());
        m_pen.printAt(7000, y0() - 100, "|");
        breakEven();
        strikeMarker();
        payoffLine();
        // The right ticks are drawn first; the left ones step by what they found.
        if (m_strike > 20)
            leftTicksAbove20(rightTicksAbove20());
        else
            leftTicksUpTo20(rightTicksUpTo20());
        table();
        m_pen.disclaimer();
    }

private:
    double y0() const { return m_pen.y0(); }
    double axisValue(double price) const
    {
        return (price - m_stockPrice) * m_shares + m_callTotal - m_value;
    }

    void breakEven()
    {
        const double b
            = ChartPen::finite((m_stockPrice * m_shares - m_callTotal + m_value) / m_shares);
        m_fields.setText(kBreak, breakEvenText(b));
        m_breakEven = m_fields.number(kBreak);
        m_pen.printNumberAt(7000, y0() + 100, m_breakEven);
        for (int dy = 300; dy <= 600; dy += 100)
            m_pen.printAt(7000, y0() + dy, "|");
        m_pen.printAt(7000, y0() + 800, "(Break Even Point)");
    }

    void strikeMarker()
    {
        m_pen.printAt(10500, y0() - 100, "|");
        m_pen.printExactAt(10500, y0() + 100, m_strike);
        m_pen.printAt(10500, y0() + 300, "|");
        m_pen.printAt(10500, y0() + 500, "(Strike Price)");
    }

    void payoffLine()
    {
        const double maxLevel = y0() - 2500;
        m_pen.line(10500, maxLevel, 14000, maxLevel, ChartColour::PayoffRed);
        profitLevel(maxLevel - 300,
            ChartPen::whole((m_strike - m_stockPrice) * m_shares + m_callTotal - m_value));
        m_pen.line(10500, maxLevel, 7000, y0(), ChartColour::PayoffRed);
        m_pen.line(7000, y0(), 3500, y0() + 2600, ChartColour::PayoffRed);
    }

    void tick(double x, double price)
    {
        m_pen.printAt(x, y0() - 100, "|");
        m_pen.printExactAt(x, y0() + 100, price);
    }

    // Right of the strike the price scale is proportional: x = price × 10500 / K.
    // Answers the distance between the two ticks, the step of the left ones.
    double rightTicksAbove20()
    {
        m_firstRightTick = raisedToFive(ChartPen::whole(m_strike / 10500 * 11500));
        tick(10500 / m_strike * m_firstRightTick, r0(m_firstRightTick));
        const double t2
            = raisedToFive(ChartPen::whole(m_firstRightTick + (m_firstRightTick - m_strike)));
        tick(10500 / m_strike * t2, r0(t2));
        return t2 - m_firstRightTick;
    }

    // Answers the first tick's distance from the strike.
    double rightTicksUpTo20()
    {
        const double strike = r0(m_strike);
        m_firstRightTick = ChartPen::whole(strike / 10500 * 11500);
        m_pen.printAt(11500, y0() - 100, "|");
        if (strike == m_firstRightTick)
            m_firstRightTick = r0(m_firstRightTick) + 1;
        m_pen.printExactAt(11500, y0() + 100, r0(m_firstRightTick));
        const double q = r0(m_firstRightTick) - strike;
        const double t2 = ChartPen::whole(r0(q) + r0(m_firstRightTick));
        tick(12500, r0(t2));
        return q;
    }

    // A mark on the profit axis with its amount beside it.
    void profitLevel(double y, double amount)
    {
        m_pen.printAt(930, y, "__");
        m_pen.printNumberAt(1200, y + 100, amount);
    }

    // Left of the break-even point the price scale is proportional to B at x = 7000.
    void leftTicksAbove20(double step)
    {
        m_nearLeftTick = loweredToFive(m_breakEven / 7000 * 6000);
        m_nearLeftShown = m_nearLeftTick >= 1;
        if (m_nearLeftShown) {
            m_pen.printExactAt(6000, y0() + 100, r0(m_nearLeftTick));
            m_pen.printAt(6000, y0() - 100, "|");
            profitLevel(y0() + 500, axisValue(r0(m_nearLeftTick)));
        }
        m_farLeftTick = m_nearLeftTick - step;
        m_farLeftShown = m_farLeftTick >= 1;
        if (m_farLeftShown) {
            m_pen.printExactAt(5000, y0() + 100, r0(m_farLeftTick));
            m_pen.printAt(5000, y0() - 100, "|");
            profitLevel(y0() + 1300, axisValue(r0(m_farLeftTick)));
        }
    }

    void leftTicksUpTo20(double q)
    {
        m_nearLeftTick = r0(m_breakEven / 7000 * 6000);
        m_nearLeftShown = m_nearLeftTick >= 1 && m_nearLeftTick < m_breakEven;
        if (m_nearLeftShown) {
            m_pen.printNumberAt(6000, y0() + 100, m_nearLeftTick);
            m_pen.printAt(6000, y0() - 100, "|");
            profitLevel(y0() + 500, axisValue(m_nearLeftTick));
        }
        m_farLeftTick = r0(m_nearLeftTick - std::abs(m_breakEven - m_nearLeftTick));
        m_farLeftShown = m_farLeftTick >= 1 && m_farLeftTick < m_breakEven;
        if (m_farLeftShown) {
            if (m_farLeftTick == m_nearLeftTick)
                m_farLeftTick -= q;
            if (m_farLeftTick >= 1) {
                m_pen.printNumberAt(5000, y0() + 100, m_farLeftTick);
                m_pen.printAt(5000, y0() - 100, "|");
                profitLevel(y0() + 1300, axisValue(m_farLeftTick));
            }
        }
    }

    void table()
    {
        const ValueTable frame {
            {{8500, m_fields.text(kSymbol) + QStringLiteral(" at"),
                 QStringLiteral("Expiration($)")},
                {10500, QStringLiteral("Stock"), QStringLiteral("Profit/Loss($)")},
                {12500, QStringLiteral("Call"), QStringLiteral("Profit/Loss($)")},
                {14000, QStringLiteral("Total"), QStringLiteral("Profit/Loss($)")}},
            8500,
            15500,
        };
        frame.drawHeader(m_pen);

        const StockWithCalls position {m_stockPrice, m_shares, m_strike,
            m_fields.number(kCallPrice), m_fields.number(kContracts)};
        m_memory.rowPrices
            = {r0(m_farLeftTick), r0(m_nearLeftTick), m_breakEven, m_strike, m_firstRightTick};
        const bool placed[5] = {m_farLeftShown, m_nearLeftShown, true, true, true};
        for (int row = 0; row < 5; ++row) {
            const double price = m_memory.rowPrices[row];
            const LegResults legs = position.at(price);
            const double y = y0() + 3200 + 400 * row;
            if (!placed[row]) {
                frame.drawUnavailableRow(m_pen, row, y);
                continue;
            }
            const TableCell priceCell
                = row == 4 ? TableCell::exact(price) : TableCell::rounded(price);
            frame.drawRow(m_pen, row, y,
                {priceCell, TableCell::rounded(legs.stock), TableCell::rounded(legs.call),
                    TableCell::rounded(legs.total)});
        }
        frame.drawRule(m_pen, y0() + 5000);
    }

    Workspace &m_fields;
    ChartMemory &m_memory;
    ChartPen &m_pen;
    double m_stockPrice = 0;
    double m_shares = 0;
    double m_strike = 0;
    double m_callTotal = 0; // of the calls sold
    double m_value = 0; // in the money at the start
    double m_breakEven = 0; // as read back from its field
    double m_firstRightTick = 0; // the price right of the strike
    double m_nearLeftTick = 0, m_farLeftTick = 0; // at x = 6000 and 5000
    bool m_nearLeftShown = false, m_farLeftShown = false; // at least 1, so drawn
};

} // namespace

std::optional<Refusal> coveredCallsChart(StrategyContext &context)
{
    if (auto refusal = check(context.fields))
        return refusal;
    CoveredCallsChart(context).draw();
    return std::nullopt;
}

} // namespace velmora
