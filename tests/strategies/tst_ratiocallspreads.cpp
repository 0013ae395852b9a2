// Ratio Call Spreads: the checks, the refusal of totals that leave no upper
// break-even, the three break-even places, the three credit levels and the
// value table.

#include "support/ChartProbe.h"

using namespace velmora;
using namespace velmora::probe;

namespace
{

// Field assignments "Text9(3)=20", applied in order after the position below.
using Edits = QStringList;

void type(Workspace &ws, const QString &price1, const QString &price2, const Edits &edits = {})
{
    ws.load(); // ratio 2:1
    ws.setStrategy(int(StrategyKind::RatioCallSpreads));
    ws.setText(at("Text9", 0), QStringLiteral("XYZ"));
    ws.setText(at("Text9", 3), QStringLiteral("20"));
    ws.setText(at("Text9", 4), price1);
    ws.setText(at("Text9", 5), QStringLiteral("1")); // totals 1 and 2 follow
    ws.setText(at("Text10", 1), QStringLiteral("25"));
    ws.setText(at("Text10", 2), price2);
    typeEdits(ws, edits);
}

Chart chart(const QString &price1, const QString &price2, const Edits &edits = {},
    ChartSurface surface = {})
{
    Workspace ws;
    type(ws, price1, price2, edits);
    return run(ws, std::move(surface));
}

} // namespace

class TestRatioCallSpreads : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();

    void strikeMarkersAndMaximumProfit();
    void breakEvenAndCredit_data();
    void breakEvenAndCredit();
    void breakEvenPlaceWithDecimalStrikes_data();
    void breakEvenPlaceWithDecimalStrikes();
    void noCreditWithDecimalPrices_data();
    void noCreditWithDecimalPrices();
    void tableRows_data();
    void tableRows();
    void tableFrame();
    void typedStrikesStayAsTyped();
    void ratioSetsTheTable();
    void listCountsWithEmptiedBoxes();
    void overflowIsRefusedAndLeavesTheChart();
};

void TestRatioCallSpreads::checks_data()
{
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("focus"); // empty: the focus stays where it is

    QTest::newRow("1 strike 1") << Edits {"Text9(3)="}
                                << "Call Strike Price1 should not be Left Empty."
                                << "Text9(3)";
    QTest::newRow("1 before 2") << Edits {"Text9(3)=abc", "Text10(1)=0"}
                                << "Call Strike Price1 should not be Left Empty."
                                << "Text9(3)";
    QTest::newRow("2 strike 2") << Edits {"Text10(1)=0"}
                                << "Call Strike Price2 should not be Left Empty."
                                << "Text10(1)";
    QTest::newRow("3 price 1") << Edits {"Text9(4)= "} << "Call Price1 should not be Left Empty."
                               << "Text9(4)";
    QTest::newRow("4 price 2") << Edits {"Text10(2)=-1"} << "Call Price2 should be not Left Empty."
                               << "Text10(2)";
    QTest::newRow("5 contracts") << Edits {"Text9(5)="} << "Contracts should not be Left Empty."
                                 << "Text9(5)";
    QTest::newRow("7 no ratio") << Edits {"cmbratioCallSpreads=-1"}
                                << "Ratio should not be Left Empty."
                                << "cmbratioCallSpreads";
    QTest::newRow("8 equal strikes")
        << Edits {"Text10(1)=20"} << "Call Strike Price2 should be Greater than Call Strike Price1"
        << "";
    QTest::newRow("9 equal prices")
        << Edits {"Text10(2)=3"} << "Call Price2 should be Less than Call Price1"
        << "";
    const QString totals
        = QStringLiteral("Total Contracts 2 should be Greater than Total Contracts 1.");
    QTest::newRow("equal totals") << Edits {"Text10(3)=1"} << totals << "Text9(6)";
    QTest::newRow("total 2 empty") << Edits {"Text10(3)="} << totals << "Text9(6)";

    // Two checks fail at once: the earlier one is reported.
    QTest::newRow("2 before 3") << Edits {"Text10(1)=", "Text9(4)=0"}
                                << "Call Strike Price2 should not be Left Empty."
                                << "Text10(1)";
    QTest::newRow("3 before 4") << Edits {"Text9(4)=", "Text10(2)="}
                                << "Call Price1 should not be Left Empty."
                                << "Text9(4)";
    QTest::newRow("4 before 5") << Edits {"Text10(2)=", "Text9(5)="}
                                << "Call Price2 should be not Left Empty."
                                << "Text10(2)";
    QTest::newRow("6 before 7") << Edits {"cmbratioCallSpreads=-1", "txtratio(1)=0"}
                                << "Contracts1 should not be Left Empty."
                                << "Text9(6)";
    QTest::newRow("7 before 8") << Edits {"cmbratioCallSpreads=-1", "Text10(1)=20"}
                                << "Ratio should not be Left Empty."
                                << "cmbratioCallSpreads";
    QTest::newRow("8 before 9") << Edits {"Text10(1)=20", "Text10(2)=3"}
                                << "Call Strike Price2 should be Greater than Call Strike Price1"
                                << "";
    QTest::newRow("9 before totals")
        << Edits {"Text10(2)=3", "Text10(3)=1"} << "Call Price2 should be Less than Call Price1"
        << "";
}

void TestRatioCallSpreads::checks()
{
    QFETCH(Edits, edits);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);

    const Chart before = chart("3", "2");
    QCOMPARE(before.outcome.result, ChartResult::Chart);
    ChartSurface surface;
    surface.setOps(before.ops);

    const Chart c = chart("3", "2", edits, surface);
    verifyRefusal(c.outcome, prompt, MsgStyle::Stop, "Attention", focus, false);
    QVERIFY(c.ops == before.ops);
}

void TestRatioCallSpreads::strikeMarkersAndMaximumProfit()
{
    const Chart c = chart("3", "2");
    QCOMPARE(textAt(c.ops, 3500, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, 3500, kY0 + 100), QStringLiteral("20"));
    QCOMPARE(textAt(c.ops, 7500, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, 7500, kY0 + 100), QStringLiteral("25"));
    QCOMPARE(textAt(c.ops, 900, kY0 - 4200), QStringLiteral("__"));
    QCOMPARE(textAt(c.ops, 1100, kY0 - 4100), QStringLiteral(" 600 "));
    QCOMPARE(textAt(c.ops, 100, kY0 - 4200), QStringLiteral("Max"));
    QCOMPARE(textAt(c.ops, 100, kY0 - 4000), QStringLiteral("Profit"));
    QVERIFY(texts(c.ops,
                QStringLiteral("THIS TOOL SHOULD BE USED FOR REFERENCE PURPOSES ONLY. "
                               "MAKERS OF THIS TOOL WILL NOT BE LIABLE FOR ANY MONETARY "
                               "LOSS ARISING FROM EQUITY/DERIVATIVE"))
                .size()
        == 1);
}

void TestRatioCallSpreads::breakEvenAndCredit_data()
{
    QTest::addColumn<QString>("price1");
    QTest::addColumn<QString>("price2");
    QTest::addColumn<double>("breakEven");
    QTest::addColumn<double>("distance");
    QTest::addColumn<double>("markerX");
    QTest::addColumn<QPointF>("lineEnd"); // relative to (0, y0)
    QTest::addColumn<double>("creditLevel"); // relative to y0
    QTest::addColumn<QString>("credit"); // empty: no credit label
    QTest::addColumn<QPointF>("creditAt"); // relative to (0, y0)

    QTest::newRow("credit 100, E 6 > SW 5") << "3"
                                            << "2" << 31.0 << 6.0 << 12500.0 << QPointF(15700, 2500)
                                            << -700.0 << " 100 " << QPointF(1100, -800);
    QTest::newRow("no credit, E 5 = SW 5")
        << "4"
        << "2" << 30.0 << 5.0 << 11500.0 << QPointF(13000, 1450) << 0.0 << "" << QPointF();
    QTest::newRow("debit 300, E 2 < SW 5") << "5"
                                           << "1" << 27.0 << 2.0 << 10500.0 << QPointF(12400, 2500)
                                           << 700.0 << "-300 " << QPointF(1200, 600);
}

void TestRatioCallSpreads::breakEvenAndCredit()
{
    QFETCH(QString, price1);
    QFETCH(QString, price2);
    QFETCH(double, breakEven);
    QFETCH(double, distance);
    QFETCH(double, markerX);
    QFETCH(QPointF, lineEnd);
    QFETCH(double, creditLevel);
    QFETCH(QString, credit);
    QFETCH(QPointF, creditAt);

    const Chart c = chart(price1, price2);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(c.memory.spreadBreakEven, breakEven);
    QCOMPARE(c.memory.spreadStrikeWidth, 5.0);
    QCOMPARE(c.memory.spreadBreakEvenDistance, distance);

    QCOMPARE(textAt(c.ops, markerX, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, markerX, kY0 + 100), QStringLiteral(" %1 ").arg(breakEven));
    for (const double other : {10500.0, 11500.0, 12500.0}) {
        if (other != markerX)
            QVERIFY(textsAt(c.ops, other, kY0 + 100).isEmpty());
    }
    const auto falling = lineBetween(c.ops, 7500, kY0 - 4000, lineEnd.x(), kY0 + lineEnd.y());
    QVERIFY(falling);
    QCOMPARE(falling->colour, ChartColour::PayoffRed);
    QVERIFY(lineBetween(c.ops, 7500, kY0 - 4000, 3500, kY0 + creditLevel));

    const auto creditLine = lineBetween(c.ops, 3500, kY0 + creditLevel, 1800, kY0 + creditLevel);
    QCOMPARE(bool(creditLine), !credit.isEmpty());
    QCOMPARE(texts(c.ops, QStringLiteral("Intial")).size(), credit.isEmpty() ? 0u : 1u);
    if (!credit.isEmpty()) {
        QCOMPARE(creditLine->colour, ChartColour::PayoffRed);
        QCOMPARE(textAt(c.ops, creditAt.x(), kY0 + creditAt.y()), credit);
        QCOMPARE(textAt(c.ops, 900, kY0 + creditAt.y() - 100), QStringLiteral("__"));
        QCOMPARE(textAt(c.ops, 100, kY0 + creditAt.y() - 100), QStringLiteral("Intial"));
        QCOMPARE(textAt(c.ops, 100, kY0 + creditAt.y() + 100), QStringLiteral("Credit"));
    }
    // Axes, the falling and the rising line, and the credit line when there is one.
    QCOMPARE(linesIn(c.ops, ChartColour::PayoffRed).size(), credit.isEmpty() ? 4u : 5u);
}

void TestRatioCallSpreads::breakEvenPlaceWithDecimalStrikes_data()
{
    QTest::addColumn<QString>("price1");
    QTest::addColumn<QString>("price2");
    QTest::addColumn<QString>("breakEven");
    QTest::addColumn<double>("markerX");
    QTest::addColumn<QPointF>("lineEnd"); // relative to (0, y0)

    // Strikes 20.1 and 25.2: SW = 5.1, which binary arithmetic makes a hair
    // short of the break-even distance 30.3 − 25.2.
    QTest::newRow("E 5.1 = SW 5.1") << "4"
                                    << "2"
                                    << " 30.3 " << 11500.0 << QPointF(13000, 1450);
    QTest::newRow("E 6.1 > SW 5.1") << "3"
                                    << "2"
                                    << " 31.3 " << 12500.0 << QPointF(15700, 2500);
    QTest::newRow("E 2.1 < SW 5.1") << "5"
                                    << "1"
                                    << " 27.3 " << 10500.0 << QPointF(12400, 2500);
}

void TestRatioCallSpreads::breakEvenPlaceWithDecimalStrikes()
{
    QFETCH(QString, price1);
    QFETCH(QString, price2);
    QFETCH(QString, breakEven);
    QFETCH(double, markerX);
    QFETCH(QPointF, lineEnd);

    const Chart c = chart(price1, price2, {"Text9(3)=20.1", "Text10(1)=25.2"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(textAt(c.ops, markerX, kY0 + 100), breakEven);
    QCOMPARE(textAt(c.ops, markerX, kY0 - 100), QStringLiteral("|"));
    QVERIFY(lineBetween(c.ops, 7500, kY0 - 4000, lineEnd.x(), kY0 + lineEnd.y()));
}

void TestRatioCallSpreads::noCreditWithDecimalPrices_data()
{
    // Ratio 3:2, so 3 × P2 − 2 × P1, which is 0 but a hair off in binary.
    QTest::addColumn<QString>("price1");
    QTest::addColumn<QString>("price2");
    QTest::newRow("0.15 and 0.10, a hair above") << "0.15"
                                                 << "0.10";
    QTest::newRow("0.30 and 0.20, a hair above") << "0.30"
                                                 << "0.20";
    QTest::newRow("0.45 and 0.30, a hair below") << "0.45"
                                                 << "0.30";
}

void TestRatioCallSpreads::noCreditWithDecimalPrices()
{
    QFETCH(QString, price1);
    QFETCH(QString, price2);

    const Chart c = chart(price1, price2, {"cmbratioCallSpreads=1"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QVERIFY(texts(c.ops, QStringLiteral("Intial")).empty());
    QVERIFY(!lineBetween(c.ops, 3500, kY0 - 700, 1800, kY0 - 700));
    QVERIFY(!lineBetween(c.ops, 3500, kY0 + 700, 1800, kY0 + 700));
    QVERIFY(lineBetween(c.ops, 7500, kY0 - 4000, 3500, kY0));
    // M = 2 × 5 × 100 and B = 25 + 10 / 1: the break-even distance is twice the width.
    QCOMPARE(textAt(c.ops, 1100, kY0 - 4100), QStringLiteral(" 1000 "));
    QCOMPARE(textAt(c.ops, 12500, kY0 + 100), QStringLiteral(" 35 "));
}

void TestRatioCallSpreads::tableRows_data()
{
    QTest::addColumn<QString>("price1");
    QTest::addColumn<QString>("price2");
    QTest::addColumn<double>("y");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<double>>("xs");

    const QList<double> strikeXs {3800, 5100, 6700, 8550};
    const QList<double> breakEvenXs {3750, 5000, 6700, 8600};
    const QList<double> lastXs {3750, 5000, 6700, 8550};
    const double rows[] = {kY0 + 3200, kY0 + 3600, kY0 + 4000, kY0 + 4400};
    const QList<double> xs[] = {strikeXs, strikeXs, breakEvenXs, lastXs};
    const struct {
        const char *name;
        QString price1, price2;
        QList<QStringList> rows;
    } cases[] = {
        {"credit", "3", "2",
            {{"20", "-300", "400", "100"}, {"25", "200", "400", "600"}, {"31", "800", "-800", "0"},
                {"36", "1300", "-1800", "-500"}}},
        {"no credit", "4", "2",
            {{"20", "-400", "400", "0"}, {"25", "100", "400", "500"}, {"30", "600", "-600", "0"},
                {"35", "1100", "-1600", "-500"}}},
        {"debit", "5", "1",
            {{"20", "-500", "200", "-300"}, {"25", "0", "200", "200"}, {"27", "200", "-200", "0"},
                {"32", "700", "-1200", "-500"}}},
    };
    for (const auto &each : cases) {
        for (int i = 0; i < 4; ++i) {
            QTest::addRow("%s, row %d", each.name, i + 1)
                << each.price1 << each.price2 << rows[i] << each.rows[i] << xs[i];
        }
    }
}

void TestRatioCallSpreads::tableRows()
{
    QFETCH(QString, price1);
    QFETCH(QString, price2);
    QFETCH(double, y);
    QFETCH(QStringList, expected);
    QFETCH(QList<double>, xs);

    const Chart c = chart(price1, price2);
    QCOMPARE(trimmedRow(c.ops, y), expected);
    for (int i = 0; i < xs.size(); ++i)
        QCOMPARE(textAt(c.ops, xs[i], y).trimmed(), expected[i]);
}

void TestRatioCallSpreads::tableFrame()
{
    const Chart c = chart("3", "2");
    QCOMPARE(row(c.ops, kY0 + 2500), (QStringList {"XYZ at", "20 Call", "25 Call", "Total"}));
    QCOMPARE(row(c.ops, kY0 + 2700),
        (QStringList {"Expiration($)", "Profit/Loss($)", "Profit/Loss($)", "Profit/Loss($)"}));
    QVERIFY(textOpAt(c.ops, 8500, kY0 + 2500)->bold);
    QVERIFY(!textOpAt(c.ops, 8550, kY0 + 3200)->bold);
    QCOMPARE(c.memory.tableTop, 7500);
    for (const double y : {kY0 + 2400, kY0 + 3000, kY0 + 4700})
        QCOMPARE(lineBetween(c.ops, 3500, y, 10000, y)->colour, ChartColour::RuleGreen);
    QVERIFY(!lineBetween(c.ops, 3500, kY0 + 5000, 10000, kY0 + 5000));
    QCOMPARE(c.memory.spreadRow4Price, 36.0);
}

void TestRatioCallSpreads::typedStrikesStayAsTyped()
{
    const Chart c = chart("3", "2", {"Text10(1)=25.50"});
    QCOMPARE(textAt(c.ops, 7500, kY0 + 100), QStringLiteral("25.50"));
    QCOMPARE(textAt(c.ops, 3800, kY0 + 3600), QStringLiteral("25.50"));
    QCOMPARE(textAt(c.ops, 6700, kY0 + 2500), QStringLiteral("25.50 Call"));
    // M = 100 + 550 = 650, B = 25.5 + 6.5 = 32, row 4 at 37.5.
    QCOMPARE(textAt(c.ops, 3750, kY0 + 4000), QStringLiteral(" 32 "));
    QCOMPARE(textAt(c.ops, 3750, kY0 + 4400), QStringLiteral(" 37.5 "));
}

void TestRatioCallSpreads::listCountsWithEmptiedBoxes()
{
    // New empties the ratio boxes while the list keeps "2:1": that is the ratio.
    const Chart c = chart("3", "1", {"txtratio(0)=", "txtratio(1)="});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
}

void TestRatioCallSpreads::ratioSetsTheTable()
{
    // 3:2 with two units: 4 bought, 6 sold. C = (6 × 2 − 4 × 3) × 100 = 0,
    // M = 4 × 5 × 100 = 2000, B = 25 + 20 / 2 = 35.
    const Chart c = chart("3", "2", {"cmbratioCallSpreads=1", "Text9(5)=2"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(textAt(c.ops, 1100, kY0 - 4100), QStringLiteral(" 2000 "));
    QCOMPARE(c.memory.spreadBreakEven, 35.0);
    QCOMPARE(trimmedRow(c.ops, kY0 + 3200), (QStringList {"20", "-1200", "1200", "0"}));
    QCOMPARE(trimmedRow(c.ops, kY0 + 4000), (QStringList {"35", "4800", "-4800", "0"}));
}

void TestRatioCallSpreads::overflowIsRefusedAndLeavesTheChart()
{
    const Chart before = chart("3", "2");
    ChartSurface surface;
    surface.setOps(before.ops);
    const Chart c = chart("3", "2", {"Text9(5)=1E+306"}, surface);
    QCOMPARE(c.outcome.result, ChartResult::Refused);
    QCOMPARE(c.outcome.refusal->message.style, MsgStyle::Stop);
    QVERIFY(c.ops == before.ops);
}

QTEST_GUILESS_MAIN(TestRatioCallSpreads)
#include "tst_ratiocallspreads.moc"
