// The analysis of a position: its legs agree with the schematic value tables
// over generated positions, the QuantLib values and greeks match textbook
// figures, the expiry figures are exact, and bad inputs are refused.

#include "support/PositionGenerator.h"

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "strategies/ChartRequest.h"
#include "strategies/Leg.h"
#include "strategies/PositionAnalysis.h"
#include "strategies/TableText.h"

#include <QtTest>

#include <cmath>

using namespace velmora;
using namespace velmora::generator;

namespace
{

// A generated position of the strategy that View Graph charts.
struct Charted {
    Workspace fields;
    ChartMemory memory;
    ChartSurface surface;
    ChartOutcome outcome;
};

bool chartOrdinary(Rng &rng, StrategyKind kind, Charted &c)
{
    const int ratio = rng.below(kRatioCount);
    c.fields.load();
    c.fields.setStrategy(int(kind));
    c.fields.setRatioIndex(ratio);
    c.fields.setRatioSpreadIndex(rng.below(kRatioCount));
    for (const auto &[id, text] : ordinary(rng, kind, ratio))
        c.fields.setText(id, text);
    c.outcome = viewGraph(c.fields, c.memory, c.surface);
    return c.outcome.result == ChartResult::Chart;
}

// A printed price: "40.5", or "<40" / ">60" for the flat wings beyond a strike.
double tablePrice(const QString &cell)
{
    const double offset = cell.startsWith(u'<') ? -1 : cell.startsWith(u'>') ? 1 : 0;
    return fieldNumber(offset == 0 ? cell : cell.mid(1)) + offset;
}

// The table prints prices to the cent: a leg moves by up to half a cent per share.
double tolerance(double shares)
{
    return 0.006 * std::abs(shares) + 0.011;
}

Legs calls(std::initializer_list<std::array<double, 3>> rows) // contracts, strike, premium
{
    Legs legs;
    for (const auto &[n, k, p] : rows)
        legs.push_back(Leg::calls(n, k, p));
    return legs;
}

} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT
private slots:
    void legsMatchValueTables_data();
    void legsMatchValueTables();
    void figuresAreExact_data() { legsMatchValueTables_data(); }
    void figuresAreExact();
    void knownFigures_data();
    void knownFigures();
    void textbookValues_data();
    void textbookValues();
    void probabilityOfProfitByHand();
    void inputs_data();
    void inputs();
    void tablesAsText();
};

void TestAnalysis::legsMatchValueTables_data()
{
    QTest::addColumn<int>("strategy");
    for (int s = 0; s < kStrategyCount; ++s)
        QTest::newRow(strategyNames().at(s).toUtf8()) << s;
}

void TestAnalysis::legsMatchValueTables()
{
    QFETCH(int, strategy);
    Rng rng(7100 + std::uint32_t(strategy));
    int compared = 0;
    for (int i = 0; i < 200; ++i) {
        Charted c;
        QVERIFY(chartOrdinary(rng, StrategyKind(strategy), c));
        const Legs legs = positionLegs(c.fields);
        // A butterfly bought for more than its wing, or a ratio spread whose
        // best price still loses, can never profit: the schematic table then
        // prints break-evens that are none, which the analysis does not show.
        const ExpiryFigures figures = expiryFigures(legs);
        const bool spread = strategy == int(StrategyKind::ButterflySpreads)
            || strategy == int(StrategyKind::RatioCallSpreads);
        if (spread && !figures.maxProfit.unlimited && figures.maxProfit.amount <= 0) {
            QVERIFY(figures.breakEvens.empty());
            continue;
        }
        ++compared;
        const TableRows rows = c.outcome.table;
        QCOMPARE(rows.size(), strategy == 0 || strategy == 1 || strategy == 3 ? 7 : 6);
        for (const QStringList &row : rows.mid(2)) {
            QCOMPARE(row.size(), qsizetype(legs.size()) + 2);
            if (row.front() == u"XXX")
                continue;
            const double price = tablePrice(row.front());
            double shares = 0;
            for (std::size_t leg = 0; leg < legs.size(); ++leg) {
                shares += std::abs(legs[leg].shares);
                const QString &cell = row[qsizetype(leg) + 1];
                if (cell != u"XXX")
                    QVERIFY2(std::abs(legs[leg](price) - fieldNumber(cell))
                            <= tolerance(legs[leg].shares),
                        qPrintable(QStringLiteral("case %1, leg %2 at %3: %4 against %5")
                                       .arg(i)
                                       .arg(leg)
                                       .arg(price)
                                       .arg(legs[leg](price))
                                       .arg(cell)));
            }
            QVERIFY2(
                std::abs(expiryProfit(legs, price) - fieldNumber(row.back())) <= tolerance(shares),
                qPrintable(QStringLiteral("case %1 at %2: %3 against %4")
                               .arg(i)
                               .arg(price)
                               .arg(expiryProfit(legs, price))
                               .arg(row.back())));
        }
    }
    QVERIFY2(compared >= 100, qPrintable(QString::number(compared)));
}

// Break-evens are roots and the only ones; the extremes are reached and
// never beaten; "Unlimited" exactly where the expiry curve keeps rising or
// falling. Checked against a dense scan, not the corner arithmetic.
void TestAnalysis::figuresAreExact()
{
    QFETCH(int, strategy);
    Rng rng(8100 + std::uint32_t(strategy));
    for (int i = 0; i < 100; ++i) {
        Charted c;
        QVERIFY(chartOrdinary(rng, StrategyKind(strategy), c));
        const Legs legs = positionLegs(c.fields);
        const ExpiryFigures f = expiryFigures(legs);
        double top = 0, scale = 1;
        for (const Leg &leg : legs) {
            top = std::max({top, leg.strike, leg.entryPrice});
            scale += std::abs(leg.shares * leg.entryPrice);
        }
        const double eps = 1e-9 * scale;
        for (double b : f.breakEvens)
            QVERIFY2(std::abs(expiryProfit(legs, b)) <= eps, qPrintable(QString::number(b)));

        int signChanges = 0;
        double best = -INFINITY, worst = INFINITY;
        double previous = expiryProfit(legs, 0);
        const double end = 3 * std::max(top, f.breakEvens.empty() ? 0 : f.breakEvens.back());
        for (int step = 0; step <= 20000; ++step) {
            const double value = expiryProfit(legs, end * step / 20000.0);
            best = std::max(best, value);
            worst = std::min(worst, value);
            if ((previous < -eps && value > eps) || (previous > eps && value < -eps))
                ++signChanges;
            if (std::abs(value) > eps)
                previous = value;
        }
        QCOMPARE(qsizetype(f.breakEvens.size()), qsizetype(signChanges));

        // Far out the slope is a whole number of shares or none.
        const double slope
            = (expiryProfit(legs, 2e6 * top) - expiryProfit(legs, 1e6 * top)) / (1e6 * top);
        QCOMPARE(f.maxProfit.unlimited, slope > 0.5);
        QCOMPARE(f.maxLoss.unlimited, slope < -0.5);
        if (!f.maxProfit.unlimited) {
            QVERIFY(f.maxProfit.amount >= best - eps);
            QVERIFY(std::abs(expiryProfit(legs, f.maxProfit.price) - f.maxProfit.amount) <= eps);
        }
        if (!f.maxLoss.unlimited) {
            QVERIFY(f.maxLoss.amount <= worst + eps);
            QVERIFY(std::abs(expiryProfit(legs, f.maxLoss.price) - f.maxLoss.amount) <= eps);
        }
    }
}

void TestAnalysis::knownFigures_data()
{
    QTest::addColumn<Legs>("legs");
    QTest::addColumn<double>("netPremium");
    QTest::addColumn<QString>("maxProfit"); // amount at price, or "Unlimited"
    QTest::addColumn<QString>("maxLoss");
    QTest::addColumn<QList<double>>("breakEvens");

    QTest::newRow("covered call") << Legs {Leg::stock(100, 40), Leg::calls(-1, 45, 2)} << -3800.0
                                  << "700 at 45"
                                  << "-3800 at 0" << QList<double> {38};
    QTest::newRow("ratio calls 2:1: upside loss unlimited")
        << Legs {Leg::stock(100, 50), Leg::calls(-2, 55, 3)} << -4400.0 << "1100 at 55"
        << "Unlimited" << QList<double> {44, 66};
    QTest::newRow("bull spread") << calls({{2, 50, 5}, {-2, 60, 2}}) << -600.0 << "1400 at 60"
                                 << "-600 at 0" << QList<double> {53};
    QTest::newRow("butterfly, net credit")
        << calls({{1, 40, 5}, {-2, 50, 4}, {1, 60, 1}}) << 200.0 << "1200 at 50"
        << "200 at 0" << QList<double> {};
    QTest::newRow("ratio call spread 2:1 with a credit")
        << calls({{1, 20, 3}, {-2, 25, 2}}) << 100.0 << "600 at 25"
        << "Unlimited" << QList<double> {31};
    QTest::newRow("ratio call spread 2:1 with a debit")
        << calls({{1, 20, 5}, {-2, 25, 1}}) << -300.0 << "200 at 25"
        << "Unlimited" << QList<double> {23, 27};
}

void TestAnalysis::knownFigures()
{
    QFETCH(Legs, legs);
    QFETCH(double, netPremium);
    QFETCH(QString, maxProfit);
    QFETCH(QString, maxLoss);
    QFETCH(QList<double>, breakEvens);
    const auto text = [](const Extreme &e) {
        return e.unlimited ? QStringLiteral("Unlimited")
                           : QStringLiteral("%1 at %2").arg(e.amount).arg(e.price);
    };
    const ExpiryFigures f = expiryFigures(legs);
    QCOMPARE(f.netPremium, netPremium);
    QCOMPARE(text(f.maxProfit), maxProfit);
    QCOMPARE(text(f.maxLoss), maxLoss);
    QCOMPARE(QList<double>(f.breakEvens.begin(), f.breakEvens.end()), breakEvens);
}

void TestAnalysis::textbookValues_data()
{
    QTest::addColumn<double>("spot");
    QTest::addColumn<double>("strike");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("volatility");
    QTest::addColumn<double>("years");
    QTest::addColumn<QList<double>>("expected"); // value, delta, gamma, theta, vega
    QTest::addColumn<double>("tolerance");

    // Hull, Options, Futures and Other Derivatives: the call of the
    // Black-Scholes example, and the greeks of the 20-week call.
    QTest::newRow("Hull: S 42, K 40, 10 %, 20 %, half a year")
        << 42.0 << 40.0 << 0.10 << 0.20 << 0.5 << QList<double> {4.76} << 0.005;
    QTest::newRow("Hull: S 49, K 50, 5 %, 20 %, 20 weeks")
        << 49.0 << 50.0 << 0.05 << 0.20 << 20 / 52.0
        << QList<double> {2.40, 0.522, 0.066, -4.31, 12.1} << 0.006;
    QTest::newRow("at expiration: what it pays")
        << 49.0 << 45.0 << 0.05 << 0.20 << 0.0 << QList<double> {4, 1, 0, 0, 0} << 0.0;
}

void TestAnalysis::textbookValues()
{
    QFETCH(double, spot);
    QFETCH(double, strike);
    QFETCH(double, rate);
    QFETCH(double, volatility);
    QFETCH(double, years);
    QFETCH(QList<double>, expected);
    QFETCH(double, tolerance);
    const Market market {spot, volatility, rate, 0, years};
    const CallGreeks g = callGreeks(strike, market);
    const double got[] = {g.value, g.delta, g.gamma, g.theta, g.vega};
    QCOMPARE(callValue(strike, market), g.value);
    for (qsizetype i = 0; i < expected.size(); ++i)
        QVERIFY2(std::abs(got[i] - expected[i]) <= tolerance * std::max(1.0, std::abs(expected[i])),
            qPrintable(
                QStringLiteral("figure %1: %2, not %3").arg(i).arg(got[i]).arg(expected[i])));
}

// Covered call bought at 40, 45 call sold for 2: profit above 38. With no
// drift but the volatility's, d2 = (ln(40/38) - 0.3²/2 × 0.25) / (0.3 × 0.5)
// = 0.26696, and N(d2) = 0.60525.
void TestAnalysis::probabilityOfProfitByHand()
{
    AnalysisInputs in;
    in.stockPrice = 40;
    in.ratePercent = 0;
    in.days = 365 * 0.25;
    const Legs legs {Leg::stock(100, 40), Leg::calls(-1, 45, 2)};
    QVERIFY(std::abs(probabilityOfProfit(legs, in) - 0.60525) < 1e-5);
    in.days = 0; // no time: the price stays at 40, above 38
    QCOMPARE(probabilityOfProfit(legs, in), 1.0);
}

void TestAnalysis::inputs_data()
{
    QTest::addColumn<double>("volatility");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("days");
    QTest::addColumn<double>("contracts");
    QTest::addColumn<bool>("refused");
    QTest::newRow("defaults") << 30.0 << 4.0 << 30.0 << 1.0 << false;
    QTest::newRow("edges: 1000 %, -10 %, 0 days") << 1000.0 << -10.0 << 0.0 << 1.0 << false;
    QTest::newRow("rate 100 %") << 30.0 << 100.0 << 30.0 << 1.0 << false;
    QTest::newRow("volatility 0") << 0.0 << 4.0 << 30.0 << 1.0 << true;
    QTest::newRow("volatility negative") << -5.0 << 4.0 << 30.0 << 1.0 << true;
    QTest::newRow("volatility above 1000 %") << 1000.5 << 4.0 << 30.0 << 1.0 << true;
    QTest::newRow("volatility not a number") << double(NAN) << 4.0 << 30.0 << 1.0 << true;
    QTest::newRow("days below 0") << 30.0 << 4.0 << -1.0 << 1.0 << true;
    QTest::newRow("rate below -10 %") << 30.0 << -10.5 << 30.0 << 1.0 << true;
    QTest::newRow("rate above 100 %") << 30.0 << 100.5 << 30.0 << 1.0 << true;
    QTest::newRow("amounts beyond 15 digits") << 30.0 << 4.0 << 30.0 << 1e9 << true;
}

// Refused inputs have a message; sound ones give finite curves, and with no
// days left the curve of today is the expiry curve.
void TestAnalysis::inputs()
{
    QFETCH(double, volatility);
    QFETCH(double, rate);
    QFETCH(double, days);
    QFETCH(double, contracts);
    QFETCH(bool, refused);
    const AnalysisInputs in {45, volatility, rate, 0, days, 0};
    const Legs legs = calls({{contracts, 40, 5}, {-2 * contracts, 50, 4}, {contracts, 60, 1}});
    const auto problem = analysisProblem(legs, in);
    QCOMPARE(problem.has_value(), refused);
    if (refused) {
        QVERIFY(!problem->isEmpty());
        return;
    }
    const AnalysisCurves c = analysisCurves(legs, in, 0, 120, 121);
    for (std::size_t i = 0; i < c.prices.size(); ++i) {
        QVERIFY(std::isfinite(c.today[i]) && std::isfinite(c.onDate[i]));
        if (days == 0)
            QCOMPARE(c.today[i], c.atExpiry[i]);
    }
    const PositionGreeks g = positionGreeks(legs, marketOn(in, 0));
    QVERIFY(std::isfinite(g.delta + g.gamma + g.theta + g.vega));
}

// A symbol may hold a comma or a quote: CSV quotes that cell alone; tabs
// inside a cell would split it in a spreadsheet and become blanks.
void TestAnalysis::tablesAsText()
{
    const TableRows rows {{"BRK,B \"A\" at", "Total"}, {"18", "-200"}, {"a\tb", ""}};
    QCOMPARE(
        commaSeparated(rows), QStringLiteral("\"BRK,B \"\"A\"\" at\",Total\n18,-200\na\tb,\n"));
    QCOMPARE(tabSeparated(rows), QStringLiteral("BRK,B \"A\" at\tTotal\n18\t-200\na b\t\n"));
}

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
