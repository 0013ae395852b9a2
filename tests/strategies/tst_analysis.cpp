// The analysis of a position: its legs agree with the schematic value tables
// over generated positions, the QuantLib values, greeks and implied
// volatilities match textbook figures and a second Black-Scholes written
// here, the expiry figures are exact, random legs and inputs are analysed or
// refused but never give a figure that is not a number, and every curve
// point is the legs' own value.

#include "support/ChartedPosition.h"

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "strategies/AnalysisChart.h"
#include "strategies/ChartRequest.h"
#include "strategies/Leg.h"
#include "strategies/PositionAnalysis.h"
#include "strategies/TableText.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace velmora;
using namespace velmora::generator;

namespace
{

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

// Black-Scholes written out once more, in long double, as the second method
// the pricing is checked against (at expiration, or with almost no
// deviation left, the discounted intrinsic value).
long double blackCall(double strike, const Market &m, double volatility)
{
    const long double forward = m.spot * std::exp((long double)(m.rate - m.dividend) * m.years);
    const long double sd = volatility * std::sqrt((long double)m.years);
    const long double discount = std::exp(-(long double)m.rate * m.years);
    if (!(m.years > 0) || !(strike > 0) || sd < 1e-8L || forward < 1e-250L)
        return discount * std::max(forward - strike, 0.0L);
    const long double d1 = std::log(forward / strike) / sd + sd / 2;
    const auto n = [](long double x) { return 0.5L * std::erfc(-x / std::sqrt(2.0L)); };
    return discount * (forward * n(d1) - strike * n(d1 - sd));
}

// The volatility that gives the premium, by bisection on the formula above.
double bisectedVolatility(double strike, double premium, const Market &m)
{
    double low = 0, high = 10;
    for (int i = 0; i < 200; ++i) {
        const double middle = (low + high) / 2;
        (blackCall(strike, m, middle) < premium ? low : high) = middle;
    }
    return (low + high) / 2;
}

// The legs' profit/loss leg by leg, long double: at expiration with no
// volatilities, else priced with them.
long double legsProfit(
    const Legs &legs, double price, const Market *m = nullptr, const LegVolatilities *v = nullptr)
{
    long double total = 0;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const Leg &leg = legs[i];
        long double value
            = leg.kind == Leg::Kind::Stock ? price : std::max(price - leg.strike, 0.0);
        if (m && leg.kind == Leg::Kind::Call) {
            Market at = *m;
            at.spot = price;
            value = blackCall(leg.strike, at, (*v)[i].used);
        }
        total += (long double)leg.shares * (value - leg.entryPrice);
    }
    return total;
}

// How far a sum over the legs may stray in double: a few parts in 1e12 of
// the largest amount in it, and a tenth of a cent.
double slack(const Legs &legs, double price)
{
    double size = 0;
    for (const Leg &leg : legs)
        size += std::abs(leg.shares) * (price + std::abs(leg.strike) + std::abs(leg.entryPrice));
    return 1e-11 * size + 0.001;
}

AnalysisInputs inputsOf(std::optional<double> stock, double volatility, double rate,
    double dividend, double days, VolatilityMode mode = VolatilityMode::Typed)
{
    return {stock, mode, volatility, rate, dividend, days, 0};
}

QString stretchesText(const std::vector<PriceStretch> &list)
{
    QStringList out;
    for (const PriceStretch &s : list)
        out << (s.to == s.from ? QString::number(s.from)
                               : QStringLiteral("%1-%2").arg(s.from).arg(
                                   s.to ? QString::number(*s.to) : QString()));
    return out.join(QStringLiteral(", "));
}

} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT
    void drawnCurvesStayInThePlot(const Legs &legs, const AnalysisInputs &in,
        const ExpiryFigures &figures, PriceRange range, const QString &seen);

private slots:
    void legsMatchValueTables_data();
    void legsMatchValueTables();
    void figuresAreExact_data() { legsMatchValueTables_data(); }
    void figuresAreExact();
    void knownFigures_data();
    void knownFigures();
    void textbookValues_data();
    void textbookValues();
    void impliedVolatilities_data();
    void impliedVolatilities();
    void probabilityOfProfitByHand();
    void inputs_data();
    void inputs();
    void randomAnalyses();
    void roundSteps_data();
    void roundSteps();
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
        if (f.zeroStretches.empty())
            QCOMPARE(qsizetype(f.breakEvens.size()), qsizetype(signChanges));

        // Far out the slope is a whole number of shares or none.
        const double slope
            = (expiryProfit(legs, 2e6 * top) - expiryProfit(legs, 1e6 * top)) / (1e6 * top);
        QCOMPARE(f.maxProfit.unlimited, slope > 0.5);
        QCOMPARE(f.maxLoss.unlimited, slope < -0.5);
        if (!f.maxProfit.unlimited) {
            QVERIFY(f.maxProfit.amount >= best - eps);
            QVERIFY(std::abs(expiryProfit(legs, f.maxProfit.where.at(0).from) - f.maxProfit.amount)
                <= eps);
        }
        if (!f.maxLoss.unlimited) {
            QVERIFY(f.maxLoss.amount <= worst + eps);
            QVERIFY(
                std::abs(expiryProfit(legs, f.maxLoss.where.at(0).from) - f.maxLoss.amount) <= eps);
        }
    }
}

void TestAnalysis::knownFigures_data()
{
    QTest::addColumn<Legs>("legs");
    QTest::addColumn<double>("netPremium");
    QTest::addColumn<QString>("maxProfit"); // amount at prices, or "Unlimited"
    QTest::addColumn<QString>("maxLoss");
    QTest::addColumn<QList<double>>("breakEvens");
    QTest::addColumn<QString>("zeroStretches");
    QTest::addColumn<QStringList>("shown"); // the two extremes' rows as the figures show them

    QTest::newRow("covered call") << Legs {Leg::stock(100, 40), Leg::calls(-1, 45, 2)} << -3800.0
                                  << "700 at 45-"
                                  << "-3800 at 0" << QList<double> {38} << ""
                                  << QStringList {"700.00", ">= 45.00", "-3800.00", "0.00"};
    QTest::newRow("ratio calls 2:1: upside loss unlimited")
        << Legs {Leg::stock(100, 50), Leg::calls(-2, 55, 3)} << -4400.0 << "1100 at 55"
        << "Unlimited" << QList<double> {44, 66} << ""
        << QStringList {"1100.00", "55.00", "Unlimited", ""};
    QTest::newRow("bull spread: the loss holds up to the lower strike")
        << calls({{2, 50, 5}, {-2, 60, 2}}) << -600.0 << "1400 at 60-"
        << "-600 at 0-50" << QList<double> {53} << ""
        << QStringList {"1400.00", ">= 60.00", "-600.00", "<= 50.00"};
    QTest::newRow("bull spread bought for its width: no profit, 0 from 55 up")
        << calls({{1, 45, 12}, {-1, 55, 2}}) << -1000.0 << "0 at 55-"
        << "-1000 at 0-45" << QList<double> {} << "55-"
        << QStringList {"None (best case: no profit or loss)", ">= 55.00", "-1000.00", "<= 45.00"};
    QTest::newRow("butterfly, net credit: its worst is a profit")
        << calls({{1, 40, 5}, {-2, 50, 4}, {1, 60, 1}}) << 200.0 << "1200 at 50"
        << "200 at 0-40, 60-" << QList<double> {} << ""
        << QStringList {
               "1200.00", "50.00", "None (worst case: profit 200.00)", "<= 40.00; >= 60.00"};
    QTest::newRow("butterfly at net 0: two zero stretches, no break-even")
        << calls({{1, 40, 5}, {-2, 50, 3}, {1, 60, 1}}) << 0.0 << "1000 at 50"
        << "0 at 0-40, 60-" << QList<double> {} << "0-40, 60-"
        << QStringList {
               "1000.00", "50.00", "None (worst case: no profit or loss)", "<= 40.00; >= 60.00"};
    QTest::newRow("ratio call spread 2:1 at net 0: flat to 50, a crossing at 60")
        << calls({{1, 50, 4}, {-2, 55, 2}}) << 0.0 << "500 at 55"
        << "Unlimited" << QList<double> {60} << "0-50"
        << QStringList {"500.00", "55.00", "Unlimited", ""};
    QTest::newRow("ratio call spread 2:1 with a debit")
        << calls({{1, 20, 5}, {-2, 25, 1}}) << -300.0 << "200 at 25"
        << "Unlimited" << QList<double> {23, 27} << ""
        << QStringList {"200.00", "25.00", "Unlimited", ""};
}

void TestAnalysis::knownFigures()
{
    QFETCH(Legs, legs);
    QFETCH(double, netPremium);
    QFETCH(QString, maxProfit);
    QFETCH(QString, maxLoss);
    QFETCH(QList<double>, breakEvens);
    QFETCH(QString, zeroStretches);
    QFETCH(QStringList, shown);
    const auto text = [](const Extreme &e) {
        return e.unlimited ? QStringLiteral("Unlimited")
                           : QStringLiteral("%1 at %2").arg(e.amount).arg(stretchesText(e.where));
    };
    const ExpiryFigures f = expiryFigures(legs);
    QCOMPARE(f.netPremium, netPremium);
    QCOMPARE(text(f.maxProfit), maxProfit);
    QCOMPARE(text(f.maxLoss), maxLoss);
    QCOMPARE(QList<double>(f.breakEvens.begin(), f.breakEvens.end()), breakEvens);
    QCOMPARE(stretchesText(f.zeroStretches), zeroStretches);
    const TableRows rows = figureRows({f, std::nullopt, std::nullopt, {}});
    QCOMPARE((rows[2].mid(1) + rows[3].mid(1)), shown);
}

void TestAnalysis::textbookValues_data()
{
    QTest::addColumn<double>("spot");
    QTest::addColumn<double>("strike");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("dividend");
    QTest::addColumn<double>("volatility");
    QTest::addColumn<double>("years");
    QTest::addColumn<QList<double>>("expected"); // value, delta, gamma, theta, vega
    QTest::addColumn<double>("tolerance");

    // Hull, Options, Futures and Other Derivatives: the call of the
    // Black-Scholes example, and the greeks of the 20-week call.
    QTest::newRow("Hull: S 42, K 40, 10 %, 20 %, half a year")
        << 42.0 << 40.0 << 0.10 << 0.0 << 0.20 << 0.5 << QList<double> {4.76} << 0.005;
    QTest::newRow("Hull: S 49, K 50, 5 %, 20 %, 20 weeks")
        << 49.0 << 50.0 << 0.05 << 0.0 << 0.20 << 20 / 52.0
        << QList<double> {2.40, 0.522, 0.066, -4.31, 12.1} << 0.006;
    QTest::newRow("at expiration: what it pays")
        << 49.0 << 45.0 << 0.05 << 0.0 << 0.20 << 0.0 << QList<double> {4, 1, 0, 0, 0} << 0.0;
    // No volatility: the stock less its dividends over the discounted strike,
    // and the carry of both as the theta.
    QTest::newRow("no volatility, a 2 % dividend, half a year")
        << 49.0 << 45.0 << 0.05 << 0.02 << 0.0 << 0.5
        << QList<double> {4.62350, 0.990050, 0, -1.22420, 0} << 1e-5;
}

void TestAnalysis::textbookValues()
{
    QFETCH(double, spot);
    QFETCH(double, strike);
    QFETCH(double, rate);
    QFETCH(double, dividend);
    QFETCH(double, volatility);
    QFETCH(double, years);
    QFETCH(QList<double>, expected);
    QFETCH(double, tolerance);
    const Market market {spot, volatility, rate, dividend, years};
    const CallGreeks g = callGreeks(strike, market);
    const double got[] = {g.value, g.delta, g.gamma, g.theta, g.vega};
    QCOMPARE(callValue(strike, market), g.value);
    for (qsizetype i = 0; i < expected.size(); ++i)
        QVERIFY2(std::abs(got[i] - expected[i]) <= tolerance * std::max(1.0, std::abs(expected[i])),
            qPrintable(
                QStringLiteral("figure %1: %2, not %3").arg(i).arg(got[i]).arg(expected[i])));
}

void TestAnalysis::impliedVolatilities_data()
{
    QTest::addColumn<double>("stock");
    QTest::addColumn<double>("strike");
    QTest::addColumn<double>("premium");
    QTest::addColumn<double>("dividend"); // % a year; the rate is 4 %
    QTest::addColumn<double>("days");
    QTest::addColumn<int>("none"); // -1: an implied volatility, else why there is none

    QTest::newRow("the covered call of 50, the 55 call sold for 2")
        << 50.0 << 55.0 << 2.0 << 0.0 << 30.0 << -1;
    QTest::newRow("in the money, a dividend, two years")
        << 80.0 << 55.0 << 31.0 << 3.0 << 730.0 << -1;
    QTest::newRow("far out of the money, a day left") << 50.0 << 90.0 << 0.01 << 0.0 << 1.0 << -1;
    QTest::newRow("below intrinsic value")
        << 50.0 << 40.0 << 9.0 << 0.0 << 30.0 << int(NoImplied::NotAboveIntrinsic);
    QTest::newRow("premium 0") << 50.0 << 60.0 << 0.0 << 0.0 << 30.0
                               << int(NoImplied::NotAboveIntrinsic);
    QTest::newRow("not below the stock price")
        << 50.0 << 55.0 << 50.0 << 0.0 << 30.0 << int(NoImplied::NotBelowStockPrice);
    QTest::newRow("only above 1000 %")
        << 50.0 << 55.0 << 45.0 << 0.0 << 30.0 << int(NoImplied::AboveLimit);
    QTest::newRow("at expiration")
        << 50.0 << 55.0 << 2.0 << 0.0 << 0.0 << int(NoImplied::NoTimeLeft);
}

// Each premium against a bisection on the Black-Scholes formula written
// here; a covered call with the implied volatilities shows no profit or loss
// today at today's price, and one typed volatility for all legs does.
void TestAnalysis::impliedVolatilities()
{
    QFETCH(double, stock);
    QFETCH(double, strike);
    QFETCH(double, premium);
    QFETCH(double, dividend);
    QFETCH(double, days);
    QFETCH(int, none);
    // The call first: every leg is priced, not only those after the first.
    const Legs legs {Leg::calls(-3, strike, premium), Leg::stock(300, stock)};
    AnalysisInputs in = inputsOf(stock, 30, 4, dividend, days, VolatilityMode::Implied);
    QVERIFY(!analysisProblem(legs, in));
    const LegVolatility leg = legVolatilities(legs, in)[0];
    if (none >= 0) {
        QCOMPARE(leg.implied.none, std::optional(NoImplied(none)));
        QVERIFY(!leg.implied.volatility);
        QCOMPARE(leg.used, 0.30);
        QVERIFY(!noImpliedText(NoImplied(none)).isEmpty());
        return;
    }
    const Market today = marketOn(in, 0);
    const double expected = bisectedVolatility(strike, premium, today);
    QVERIFY2(std::abs(*leg.implied.volatility - expected) < 1e-7,
        qPrintable(QStringLiteral("%1, not %2").arg(*leg.implied.volatility).arg(expected)));
    QCOMPARE(leg.used, *leg.implied.volatility);
    QVERIFY(std::abs(*curveValuesAt(legs, in, stock).today) < 0.01);
    in.volatilityMode = VolatilityMode::Typed;
    QVERIFY(std::abs(*curveValuesAt(legs, in, stock).today) > 1);
}

// Covered call bought at 40, 45 call sold for 2: profit above 38. With no
// drift but the volatility's, d2 = (ln(40/38) - 0.3²/2 × 0.25) / (0.3 × 0.5)
// = 0.26696, and N(d2) = 0.60525, shown as 60.5 %. Without today's stock
// price there is no chance to tell.
void TestAnalysis::probabilityOfProfitByHand()
{
    AnalysisInputs in = inputsOf(40, 30, 0, 0, 365 * 0.25);
    const Legs legs {Leg::stock(100, 40), Leg::calls(-1, 45, 2)};
    QVERIFY(std::abs(*probabilityOfProfit(legs, in) - 0.60525) < 1e-5);
    const TableRows rows = figureRows(analysePosition(legs, in));
    QVERIFY(rows.contains(QStringList {"Probability of Profit (%)", "60.5", ""}));
    // The gamma, a fraction of a share per dollar, is shown to 4 decimals.
    const auto gamma = std::find_if(rows.begin(), rows.end(),
        [](const QStringList &row) { return row.front().startsWith(u"Gamma"); });
    QVERIFY(gamma != rows.end());
    QVERIFY2(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d{4}$")).match(gamma->at(1)).hasMatch(),
        qPrintable(gamma->at(1)));
    // Short a call: time works for the position, a wider spread of prices against it.
    const PositionGreeks greeks = *analysePosition(legs, in).greeks;
    QVERIFY(greeks.delta < 100 && greeks.gamma < 0 && greeks.theta > 0 && greeks.vega < 0);
    in.days = 0; // no time: the price stays at 40, above 38
    QCOMPARE(*probabilityOfProfit(legs, in), 1.0);
    in.stockPrice.reset();
    QVERIFY(!probabilityOfProfit(legs, in));
}

void TestAnalysis::inputs_data()
{
    QTest::addColumn<Legs>("legs");
    QTest::addColumn<AnalysisInputs>("in");
    QTest::addColumn<bool>("refused");
    const Legs fly = calls({{1, 40, 5}, {-2, 50, 4}, {1, 60, 1}});
    QTest::newRow("defaults") << fly << inputsOf(45, 30, 4, 0, 30) << false;
    QTest::newRow("no stock price: expiry only") << fly << inputsOf({}, 30, 4, 0, 30) << false;
    QTest::newRow("edges: 1000 %, -10 %, 0 days") << fly << inputsOf(45, 1000, -10, 0, 0) << false;
    QTest::newRow("1000 % for 100 years") << fly << inputsOf(45, 1000, 100, 0, 36500) << false;
    QTest::newRow("dividend 100 % for 30 days") << fly << inputsOf(45, 30, 4, 100, 30) << false;
    QTest::newRow("days 1e-50 count as expiration")
        << fly << inputsOf(50, 30, 4, 0, 1e-50) << false;
    QTest::newRow("volatility 1e-100 % counts as none")
        << fly << inputsOf(50, 1e-100, 4, 0, 30) << false;
    QTest::newRow("stock price $0.0001") << fly << inputsOf(1e-4, 30, 4, 0, 30) << false;
    QTest::newRow("stock price 1e-300") << fly << inputsOf(1e-300, 30, 4, 0, 30) << true;
    QTest::newRow("forward below $0.0001: dividend 100 %, 100 years") << Legs {Leg::stock(100, 20),
        Leg::calls(-1, 25, 2)} << inputsOf(100, 30, 4, 100, 36500) << true;
    QTest::newRow("the wide one: 500 % for 10 years, 2500 shares")
        << Legs {Leg::stock(2500, 72.94), Leg::calls(-25, 98.61, 12.66)}
        << inputsOf(87.44, 500, 4.875, 1.023, 3650) << false;
    QTest::newRow("volatility 0") << fly << inputsOf(45, 0, 4, 0, 30) << true;
    QTest::newRow("volatility above 1000 %") << fly << inputsOf(45, 1000.5, 4, 0, 30) << true;
    QTest::newRow("volatility not a number") << fly << inputsOf(45, NAN, 4, 0, 30) << true;
    QTest::newRow("days below 0") << fly << inputsOf(45, 30, 4, 0, -1) << true;
    QTest::newRow("rate below -10 %") << fly << inputsOf(45, 30, -10.5, 0, 30) << true;
    QTest::newRow("rate above 100 %") << fly << inputsOf(45, 30, 100.5, 0, 30) << true;
    QTest::newRow("dividend below 0") << fly << inputsOf(45, 30, 4, -0.5, 30) << true;
    QTest::newRow("amounts beyond 15 digits")
        << calls({{1e9, 40, 5}, {-2e9, 50, 4}}) << inputsOf(45, 30, 4, 0, 30) << true;
    QTest::newRow("opposite legs of 1e300 shares")
        << Legs {Leg::stock(1e300, 50), Leg::stock(-1e300, 50)} << inputsOf(45, 30, 4, 0, 30)
        << true;
}

// Each input at its limit: refused with a message, or every figure finite,
// the range within the view, and the curves the legs' own values to a cent;
// with no days left the curve of today is the expiry curve.
void TestAnalysis::inputs()
{
    QFETCH(Legs, legs);
    QFETCH(AnalysisInputs, in);
    QFETCH(bool, refused);
    const auto problem = analysisProblem(legs, in);
    QVERIFY2(problem.has_value() == refused, qPrintable(problem.value_or("accepted")));
    if (refused) {
        QVERIFY(!problem->isEmpty());
        return;
    }
    const PositionAnalysis a = analysePosition(legs, in);
    QCOMPARE(a.greeks.has_value(), in.stockPrice.has_value());
    if (a.greeks)
        QVERIFY(
            std::isfinite(a.greeks->delta + a.greeks->gamma + a.greeks->theta + a.greeks->vega));
    const PriceRange range = autoPriceRange(legs, in);
    QVERIFY(range.high <= highestViewPrice(legs, in) && range.high <= 3000);
    const AnalysisCurves c = analysisCurves(legs, in, range.low, range.high, 121);
    QCOMPARE(c.today.size(), in.stockPrice ? c.prices.size() : 0);
    for (std::size_t i = 0; i < c.prices.size(); ++i) {
        QVERIFY(std::abs(c.atExpiry[i] - legsProfit(legs, c.prices[i])) < 0.01);
        if (c.today.empty())
            continue;
        QVERIFY(std::isfinite(c.today[i]) && std::isfinite(c.onDate[i]));
        if (in.days == 0)
            QCOMPARE(c.today[i], c.atExpiry[i]);
    }
}

// Random legs and inputs, sane and extreme: every analysis is refused with a
// message or has finite figures; its range holds today's price, the strikes,
// the break-evens and the zero stretches with room; its curves start at the
// range's low end, step evenly and are the legs' own values; its chart is
// drawn to the end.
void TestAnalysis::randomAnalyses()
{
    std::mt19937 rng(24019);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(rng);
    };
    const auto spread = [&](double low, double high) { // even in the logarithm
        return std::exp(uniform(std::log(low), std::log(high)));
    };
    const auto chance = [&](double p) { return uniform(0, 1) < p; };
    int analysed = 0;
    for (int n = 0; n < 3000; ++n) {
        Legs legs;
        for (int i = 0, count = 1 + int(rng() % 3); i < count; ++i) {
            const double size
                = std::round(spread(1, chance(0.02) ? 1e12 : 20)) * (chance(0.5) ? 1 : -1);
            legs.push_back(chance(0.25) ? Leg::stock(100 * size, spread(0.01, 500))
                                        : Leg::calls(size, chance(0.05) ? 0 : spread(0.01, 500),
                                            chance(0.05) ? 0 : spread(0.001, 200)));
        }
        AnalysisInputs in = inputsOf(chance(0.1) ? std::nullopt : std::optional(spread(1e-6, 1e5)),
            chance(0.05) ? 0 : spread(1e-6, 1200), uniform(-12, 105), uniform(-2, 105),
            chance(0.1) ? 0 : spread(1e-9, 40000),
            chance(0.5) ? VolatilityMode::Implied : VolatilityMode::Typed);
        in.elapsedDays = uniform(0, 1.05) * in.days;
        const QString seen = QStringLiteral("case %1").arg(n);
        if (analysisProblem(legs, in))
            continue;
        ++analysed;
        const PositionAnalysis a = analysePosition(legs, in);
        const ExpiryFigures &f = a.figures;
        QVERIFY2(std::isfinite(f.netPremium + f.maxProfit.amount + f.maxLoss.amount
                     + a.probabilityOfProfit.value_or(0)),
            qPrintable(seen));
        for (double b : f.breakEvens)
            QVERIFY2(
                b > 0 && std::abs(legsProfit(legs, b)) <= 10 * slack(legs, b), qPrintable(seen));
        if (a.greeks)
            QVERIFY2(
                std::isfinite(a.greeks->delta + a.greeks->gamma + a.greeks->theta + a.greeks->vega),
                qPrintable(seen));

        const PriceRange range = autoPriceRange(legs, in);
        const double top = highestViewPrice(legs, in), room = (range.high - range.low) / 12.5;
        QVERIFY2(range.low >= 0 && range.low < range.high && range.high <= top, qPrintable(seen));
        std::vector<double> shown(f.breakEvens);
        if (in.stockPrice)
            shown.push_back(*in.stockPrice);
        for (const Leg &leg : legs)
            if (leg.kind == Leg::Kind::Call)
                shown.push_back(leg.strike);
        for (const PriceStretch &z : f.zeroStretches)
            shown.push_back(z.to.value_or(z.from));
        const double highest = shown.empty() ? 0 : *std::max_element(shown.begin(), shown.end());
        QVERIFY2(range.high <= std::max(3.3 * highest, 1.1) + 0.01, qPrintable(seen));
        for (double p : shown)
            QVERIFY2((range.low == 0 || p - range.low >= room)
                    && (range.high == top || range.high - p >= room),
                qPrintable(QStringLiteral("%1: %2 in %3 to %4")
                               .arg(seen)
                               .arg(p)
                               .arg(range.low)
                               .arg(range.high)));

        const AnalysisCurves c = analysisCurves(legs, in, range.low, range.high, 41);
        const Market today = marketOn(in, 0), onDate = marketOn(in, in.elapsedDays);
        for (std::size_t i = 0; i < c.prices.size(); ++i) {
            const double p = c.prices[i];
            QVERIFY2(std::abs(p - (range.low + (range.high - range.low) * double(i) / 40))
                    <= 1e-12 * range.high,
                qPrintable(seen));
            QVERIFY2(
                std::abs(c.atExpiry[i] - legsProfit(legs, p)) <= slack(legs, p), qPrintable(seen));
            if (!in.stockPrice)
                continue;
            const double allowed = 10 * slack(legs, p);
            QVERIFY2(std::abs(c.today[i] - legsProfit(legs, p, &today, &a.volatilities)) <= allowed
                    && std::abs(c.onDate[i] - legsProfit(legs, p, &onDate, &a.volatilities))
                        <= allowed,
                qPrintable(QStringLiteral("%1 at %2: %3, %4")
                               .arg(seen)
                               .arg(p)
                               .arg(c.today[i])
                               .arg(c.onDate[i])));
        }
        if (n % 10 == 0)
            drawnCurvesStayInThePlot(legs, in, f, range, seen);
    }
    QVERIFY2(analysed >= 900, qPrintable(QString::number(analysed)));
}

// Each curve is a run of lines of its colour from the plot's left edge,
// inside the plot with room above and below; the expiry curve runs unbroken
// to the right edge.
void TestAnalysis::drawnCurvesStayInThePlot(const Legs &legs, const AnalysisInputs &in,
    const ExpiryFigures &figures, PriceRange range, const QString &seen)
{
    ChartSurface surface;
    const AnalysisFrame frame
        = drawAnalysisChart(surface, {legs, in, figures, QStringLiteral("On 2030-01-01")}, range);
    const double room = 0.05 * frame.height;
    const std::vector<ChartOp> &ops = surface.ops();
    const auto isLine = [&](std::size_t i, int colour) {
        return i < ops.size() && ops[i].kind == ChartOp::Kind::Line && ops[i].colour == colour;
    };
    const QList<int> curveColours {
        AnalysisColour::AtExpiry, AnalysisColour::Today, AnalysisColour::OnDate};
    for (int colour : curveColours) {
        // The curves come after the markers, which may start at the left edge too.
        std::size_t i = ops.size();
        for (std::size_t k = 0; k < ops.size(); ++k)
            if (isLine(k, colour) && ops[k].x1 == frame.left)
                i = k;
        if (colour != AnalysisColour::AtExpiry && i == ops.size())
            continue; // no curve before expiration without a stock price
        QVERIFY2(i < ops.size(), qPrintable(seen));
        const double right = frame.left + frame.width;
        for (bool ended = false; !ended && isLine(i, colour); ++i) {
            const ChartOp &op = ops[i];
            for (double y : {op.y1, op.y2})
                QVERIFY2(y >= frame.top + room && y <= frame.top + frame.height - room,
                    qPrintable(QStringLiteral("%1: y %2").arg(seen).arg(y)));
            ended = qFuzzyCompare(op.x2, right);
            if (colour == AnalysisColour::AtExpiry && !ended)
                QVERIFY2(isLine(i + 1, colour) && op.x2 == ops[i + 1].x1 && op.y2 == ops[i + 1].y1,
                    qPrintable(seen));
        }
    }

    // Profit is shaded above the zero line and loss below it, left to right along the
    // whole expiry curve; nothing is drawn off the surface.
    const double zeroY = std::clamp(frame.yOf(0), frame.top, frame.top + frame.height);
    const auto byX = [](QPointF p, QPointF q) { return p.x() < q.x(); };
    const auto onSurface = [&](double x, double y) {
        return x >= 0 && x <= surface.scaleWidth() && y >= 0 && y <= surface.scaleHeight();
    };
    int areas = 0, above = 0, below = 0;
    for (const ChartOp &op : ops) {
        const auto &c = op.corners;
        if (op.kind == ChartOp::Kind::Area) {
            ++areas;
            QVERIFY2(c.size() >= 4 && std::is_sorted(c.begin(), c.end(), byX), qPrintable(seen));
            above += std::all_of(
                c.begin(), c.end(), [&](QPointF p) { return p.y() <= zeroY + 1e-6; });
            below += std::all_of(
                c.begin(), c.end(), [&](QPointF p) { return p.y() >= zeroY - 1e-6; });
        } else if (op.kind != ChartOp::Kind::Clear) {
            const bool line = op.kind == ChartOp::Kind::Line;
            QVERIFY2(onSurface(op.x1, op.y1) && (!line || onSurface(op.x2, op.y2)),
                qPrintable(
                    QStringLiteral("%1: %2 at %3, %4").arg(seen, op.text).arg(op.x1).arg(op.y1)));
        }
    }
    QVERIFY2(areas == 2 && above >= 1 && below >= 1, qPrintable(seen));

    // Grid lines a round step apart, from within a step of one edge of the
    // plot to within a step of the other.
    std::vector<double> prices, amounts;
    for (const ChartOp &op : ops) {
        if (op.kind != ChartOp::Kind::Line || op.colour == surface.palette().foreground
            || curveColours.contains(op.colour))
            continue;
        if (op.x1 == op.x2 && op.y1 == frame.top && op.y2 == frame.top + frame.height)
            prices.push_back(frame.priceAt(op.x1));
        else if (op.y1 == op.y2 && op.x1 == frame.left && op.x2 == frame.left + frame.width)
            amounts.push_back(frame.highAmount
                - (op.y1 - frame.top) / frame.height * (frame.highAmount - frame.lowAmount));
    }
    std::sort(amounts.begin(), amounts.end());
    const auto evenlyAcross
        = [&](const std::vector<double> &at, double low, double high, int most) {
              const double step = roundStep(high - low, most), slack = 1e-9 * (high - low);
              if (at.empty() || at.front() < low - slack || at.front() - low >= step - slack
                  || high - at.back() >= step - slack)
                  return false;
              for (std::size_t k = 1; k < at.size(); ++k)
                  if (std::abs(at[k] - at[k - 1] - step) > slack)
                      return false;
              return true;
          };
    QVERIFY2(evenlyAcross(prices, frame.lowPrice, frame.highPrice, 10), qPrintable(seen));
    QVERIFY2(evenlyAcross(amounts, frame.lowAmount, frame.highAmount, 8), qPrintable(seen));
    // Each grid line's label reads differently, cents included where the step needs them.
    QStringList priceLabels, amountLabels;
    for (const ChartOp &op : ops) {
        if (op.kind != ChartOp::Kind::Text)
            continue;
        if (op.y1 == frame.top + frame.height + 60)
            priceLabels << op.text;
        else if (op.x1 < frame.left && op.y1 > frame.top - 200 && op.y1 < frame.top + frame.height)
            amountLabels << op.text;
    }
    QCOMPARE(priceLabels.size(), qsizetype(prices.size()));
    QCOMPARE(amountLabels.size(), qsizetype(amounts.size()));
    QCOMPARE(QSet<QString>(priceLabels.begin(), priceLabels.end()).size(), priceLabels.size());
    QCOMPARE(QSet<QString>(amountLabels.begin(), amountLabels.end()).size(), amountLabels.size());
}

void TestAnalysis::roundSteps_data()
{
    QTest::addColumn<double>("span");
    QTest::addColumn<int>("most");
    QTest::addColumn<double>("step");
    QTest::newRow("a whole step") << 100.0 << 10 << 10.0;
    QTest::newRow("up to 2") << 7.0 << 5 << 2.0;
    QTest::newRow("up to 5") << 30.0 << 10 << 5.0;
    QTest::newRow("up to 10") << 70.0 << 10 << 10.0;
    QTest::newRow("cents") << 0.35 << 8 << 0.05;
    QTest::newRow("no span") << 0.0 << 10 << 1.0;
    QTest::newRow("reversed") << -5.0 << 10 << 1.0;
    QTest::newRow("endless") << double(INFINITY) << 10 << 1.0;
}

// Axis steps of 1, 2 or 5 times a power of ten, at most `most` to the span.
void TestAnalysis::roundSteps()
{
    QFETCH(double, span);
    QFETCH(int, most);
    QFETCH(double, step);
    QCOMPARE(roundStep(span, most), step);
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
