// The P/L grid over generated positions of every strategy: its rows and
// columns hold what they must, every cell is the curve's value at its price
// and date, and at expiration the cells agree with View Graph's value table.

#include "support/ChartedPosition.h"

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "strategies/ChartRequest.h"
#include "strategies/PositionAnalysis.h"
#include "strategies/PositionGrid.h"

#include <QtTest>

#include <cmath>

using namespace velmora;
using namespace velmora::generator;

namespace
{

// The position's own stock price, or for a spread one near its first strike.
AnalysisInputs inputsFor(const Legs &legs, Rng &rng, bool withStock)
{
    AnalysisInputs in;
    in.stockPrice = positionStockPrice(legs);
    if (!in.stockPrice && withStock)
        in.stockPrice = legs.front().strike * (0.8 + 0.05 * rng.below(9));
    if (!withStock)
        in.stockPrice.reset();
    in.days = rng.chance(20) ? rng.between(0, 6) : rng.between(7, 400);
    in.elapsedDays = rng.between(0, int(in.days));
    in.volatilityMode = rng.chance(50) ? VolatilityMode::Implied : VolatilityMode::Typed;
    return in;
}

bool holds(const std::vector<double> &prices, double price)
{
    return std::find(prices.begin(), prices.end(), price) != prices.end();
}

} // namespace

class TestPositionGrid : public QObject
{
    Q_OBJECT
private slots:
    void cellsAreTheCurves_data();
    void cellsAreTheCurves();
    void expiryMatchesValueTable_data() { cellsAreTheCurves_data(); }
    void expiryMatchesValueTable();
    void pennyPricesStayRound();
    void asTable();
};

void TestPositionGrid::cellsAreTheCurves_data()
{
    QTest::addColumn<int>("strategy");
    for (int s = 0; s < kStrategyCount; ++s)
        QTest::newRow(strategyNames().at(s).toUtf8()) << s;
}

// Rows: 15 to 25 prices, highest first, the strikes, break-evens and today's
// price among them and the rest on one round step. Columns: today, up to 7
// dates between (the evaluation date one of them) and expiration, or
// expiration alone without a stock price. Cells: the curves' own values.
void TestPositionGrid::cellsAreTheCurves()
{
    QFETCH(int, strategy);
    Rng rng(9100 + std::uint32_t(strategy));
    for (int i = 0; i < 60; ++i) {
        Charted c;
        QVERIFY(chartOrdinary(rng, StrategyKind(strategy), c));
        const Legs legs = positionLegs(c.fields);
        const bool withStock = strategy < 2 || rng.chance(70);
        const AnalysisInputs in = inputsFor(legs, rng, withStock);
        if (analysisProblem(legs, in))
            continue;
        const PositionGrid grid = positionGrid(legs, in);
        const QString where = QStringLiteral("case %1, %2 days").arg(i).arg(in.days);

        QVERIFY2(grid.prices.size() >= 15 && grid.prices.size() <= 25, qPrintable(where));
        QVERIFY(std::is_sorted(grid.prices.rbegin(), grid.prices.rend(), std::less_equal<>()));
        QVERIFY(grid.prices.back() > 0);
        std::vector<double> marks = expiryFigures(legs).breakEvens;
        for (const Leg &leg : legs)
            if (leg.kind == Leg::Kind::Call)
                marks.push_back(leg.strike);
        if (in.stockPrice)
            marks.push_back(*in.stockPrice);
        for (double m : marks)
            QVERIFY2(holds(grid.prices, m), qPrintable(where + u' ' + QString::number(m)));
        std::vector<double> round;
        for (double p : grid.prices)
            if (!holds(marks, p))
                round.push_back(p);
        // A landmark may stand in for a round price: the step is the least gap.
        double step = INFINITY;
        for (std::size_t r = 1; r < round.size(); ++r)
            step = std::min(step, round[r - 1] - round[r]);
        const double power = std::pow(10.0, std::floor(std::log10(step)));
        QVERIFY2(QList<double>({1, 2, 2.5, 5}).contains(std::round(step / power * 10) / 10),
            qPrintable(where + QStringLiteral(" step %1").arg(step)));
        for (double p : round)
            QVERIFY2(std::abs(p / step - std::round(p / step)) < 1e-6,
                qPrintable(where + QStringLiteral(" %1 by %2").arg(p).arg(step)));
        if (withStock) {
            // The rows reach a likely move either way: one standard deviation
            // at the widest volatility that prices a leg.
            double widest = 0;
            for (const LegVolatility &v : legVolatilities(legs, in))
                widest = std::max(widest, v.used);
            const double move = std::exp(widest * std::sqrt(marketOn(in, 0).years));
            QVERIFY2(grid.prices.back() <= *in.stockPrice / move + step
                    && grid.prices.front() >= *in.stockPrice * move - step,
                qPrintable(where));
        }

        QCOMPARE(grid.days.back(), in.days);
        QVERIFY(std::is_sorted(grid.days.begin(), grid.days.end(), std::less_equal<>()));
        QCOMPARE(grid.stockRow.has_value(), withStock);
        QCOMPARE(grid.dateColumn.has_value(), withStock);
        if (!withStock || in.days == 0) {
            QCOMPARE(grid.days.size(), std::size_t(1));
        } else {
            QCOMPARE(grid.days.front(), 0.0);
            QCOMPARE(grid.prices.at(*grid.stockRow), *in.stockPrice);
            QCOMPARE(grid.days.at(*grid.dateColumn), in.elapsedDays);
            if (in.days > 7)
                QVERIFY2(grid.days.size() >= 7 && grid.days.size() <= 9, qPrintable(where));
        }

        for (std::size_t col = 0; col < grid.days.size(); ++col) {
            AnalysisInputs on = in;
            on.elapsedDays = grid.days[col];
            for (std::size_t row = 0; row < grid.prices.size(); ++row) {
                const CurveValues curve = curveValuesAt(legs, on, grid.prices[row]);
                const double cell = grid.pl[row][col];
                if (col + 1 == grid.days.size())
                    QCOMPARE(cell, curve.atExpiry);
                else
                    QCOMPARE(cell, *curve.onDate);
                if (col == 0 && withStock && in.days > 0)
                    QCOMPARE(cell, *curve.today);
            }
        }
    }
}

// The value table prints its prices and totals to the cent; its strikes and
// break-evens are rows of the grid, whose expiration column must agree.
void TestPositionGrid::expiryMatchesValueTable()
{
    QFETCH(int, strategy);
    Rng rng(9200 + std::uint32_t(strategy));
    int compared = 0;
    for (int i = 0; i < 60; ++i) {
        Charted c;
        QVERIFY(chartOrdinary(rng, StrategyKind(strategy), c));
        const Legs legs = positionLegs(c.fields);
        const AnalysisInputs in = inputsFor(legs, rng, true);
        if (analysisProblem(legs, in))
            continue;
        const PositionGrid grid = positionGrid(legs, in);
        double shares = 0;
        for (const Leg &leg : legs)
            shares += std::abs(leg.shares);
        for (const QStringList &row : c.outcome.table.mid(2)) {
            // "<40", ">60": a wing beyond a strike, at no one price; "XXX": none.
            if (!row.front().front().isDigit() || row.back() == u"XXX")
                continue;
            const double price = fieldNumber(row.front());
            for (std::size_t r = 0; r < grid.prices.size(); ++r) {
                if (std::abs(grid.prices[r] - price) > 0.005)
                    continue;
                ++compared;
                QVERIFY2(
                    std::abs(grid.pl[r].back() - fieldNumber(row.back())) <= 0.006 * shares + 0.011,
                    qPrintable(QStringLiteral("case %1 at %2: %3 against %4")
                                   .arg(i)
                                   .arg(price)
                                   .arg(grid.pl[r].back())
                                   .arg(row.back())));
            }
        }
    }
    QVERIFY2(compared >= 60, qPrintable(QString::number(compared)));
}

// A covered call: 100 shares at 20, one call at 25 sold for 2, stock 20,
// 30 days, evaluated after 10.
// A stock below $1: a step of cents, and no row far from the position.
void TestPositionGrid::pennyPricesStayRound()
{
    const Legs legs {Leg::stock(1000, 0.4), Leg::calls(-10, 0.5, 0.05)};
    AnalysisInputs in;
    in.stockPrice = 0.4;
    const PositionGrid grid = positionGrid(legs, in);
    QVERIFY(holds(grid.prices, 0.4) && holds(grid.prices, 0.5));
    for (double p : grid.prices) {
        QVERIFY2(p > 0 && p < 1, qPrintable(QString::number(p)));
        QVERIFY2(std::abs(p * 100 - std::round(p * 100)) < 1e-9, qPrintable(QString::number(p)));
    }
}

void TestPositionGrid::asTable()
{
    const Legs legs {Leg::stock(100, 20), Leg::calls(-1, 25, 2)};
    AnalysisInputs in;
    in.stockPrice = 20;
    in.elapsedDays = 10;
    const PositionGrid grid = positionGrid(legs, in);
    const TableRows rows = gridRows(grid, QDate(2026, 12, 7));
    QCOMPARE(rows.front().mid(0, 2), QStringList({"Price", "2026-12-07"}));
    QVERIFY(rows.front().contains(QStringLiteral("2026-12-17")));
    QCOMPARE(rows.front().back(), QStringLiteral("2027-01-06"));
    const auto row = std::find_if(
        rows.begin(), rows.end(), [](const QStringList &r) { return r.front() == u"25.00"; });
    QVERIFY(row != rows.end());
    QCOMPARE(row->back(), QStringLiteral("700.00"));
    QCOMPARE(rows.size(), qsizetype(grid.prices.size()) + 1);
}

QTEST_APPLESS_MAIN(TestPositionGrid)
#include "tst_positiongrid.moc"
