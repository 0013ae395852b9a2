// Ratio Calls: the checks with the ratio sizing run among them, the tent
// centred on the surface, and the value table with its break-even rows.

#include "support/ChartProbe.h"

using namespace velmora;
using namespace velmora::probe;

namespace
{

struct Position {
    QString stock, shares, strike, call;
    QString ratio; // empty: no ratio chosen
};

void type(Workspace &ws, const Position &p)
{
    ws.load();
    ws.setStrategy(1);
    ws.setText(at("txtRatioBuy", 0), QStringLiteral("ABC"));
    ws.setText(at("txtRatioBuy", 1), p.stock);
    ws.setText(at("txtRatioBuy", 2), p.shares);
    ws.setText(at("txtRatioSell", 1), p.strike);
    ws.setText(at("txtRatioSell", 2), p.call);
    if (p.ratio.isEmpty())
        ws.setRatioIndex(-1);
    else
        QVERIFY(ws.setRatioText(p.ratio));
}

Chart chart(const Position &p, double width = 16110)
{
    Workspace ws;
    type(ws, p);
    ChartSurface surface;
    surface.setScaleSize(width, 10200);
    return run(ws, std::move(surface));
}

} // namespace

Q_DECLARE_METATYPE(Position)

class TestRatioCalls : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void listCountsAfterNew();
    void markersAndPayoffLine();
    void oddWidthRoundsThePointsOfTheLine();
    void strikePrintedAsTyped();
    void tableRows_data();
    void tableRows();
    void tableFrame();
    void memoryKeepsRowsOfTheLastChart();
};

void TestRatioCalls::checks_data()
{
    QTest::addColumn<Position>("position");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus"); // empty: the focus stays where it is
    QTest::addColumn<bool>("selectAll");

    QTest::newRow("stock blank") << Position {"", "100", "12", "1", "2:1"}
                                 << "Stock Price should not be Left Empty."
                                 << "txtRatioBuy(1)" << false;
    QTest::newRow("shares blank, message ends with a blank")
        << Position {"10", "", "12", "1", "2:1"} << "Shares should not be Left Empty. "
        << "txtRatioBuy(2)" << false;
    QTest::newRow("strike zero") << Position {"10", "100", "0", "1", "2:1"}
                                 << "Strike Price should not be Left Empty."
                                 << "txtRatioSell(1)" << false;
    QTest::newRow("call blank") << Position {"10", "100", "12", "", "2:1"}
                                << "Call Price should not be Left Empty."
                                << "txtRatioSell(2)" << false;
    QTest::newRow("no ratio, before the strike check")
        << Position {"55", "100", "55", "1", ""} << "Contract Ratio should not be Left Empty."
        << "cmbRatio" << false;
    QTest::newRow("strike equals stock") << Position {"55", "100", "55", "1", "2:1"}
                                         << "Strike Price should be Greater than Stock Price."
                                         << "txtRatioSell(1)" << false;
    QTest::newRow("300 shares at 3:2: 4.5 contracts")
        << Position {"50", "300", "55", "2", "3:2"} << "Contracts cannot be in Decimals."
        << "txtRatioBuy(2)" << true;
    QTest::newRow("premium eats the stock: break-even below 0")
        << Position {"10", "100", "12", "6", "2:1"} << "Error in Break Even Point"
        << "" << false;
    QTest::newRow("break-even exactly 0")
        << Position {"10", "100", "12", "5", "2:1"} << "Error in Break Even Point"
        << "" << false;
}

void TestRatioCalls::checks()
{
    QFETCH(Position, position);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(bool, selectAll);

    const Chart c = chart(position);
    verifyRefusal(c.outcome, message, MsgStyle::Information, "Attention", focus, selectAll);
    QVERIFY(c.ops.empty());
}

void TestRatioCalls::listCountsAfterNew()
{
    // New empties the ratio boxes but the list still shows "2:1": that is the ratio.
    Workspace ws;
    type(ws, {"20", "200", "22", "1", "2:1"});
    ws.blank();
    ws.setText(at("txtRatioBuy", 1), QStringLiteral("20"));
    ws.setText(at("txtRatioBuy", 2), QStringLiteral("200"));
    ws.setText(at("txtRatioSell", 1), QStringLiteral("22"));
    ws.setText(at("txtRatioSell", 2), QStringLiteral("1"));

    ChartMemory memory;
    ChartSurface surface;
    QCOMPARE(viewGraph(ws, memory, surface).result, ChartResult::Chart);
    QCOMPARE(ws.text(at("txtRatioSell", 5)), QStringLiteral("4"));
    // (22 - 20) x 1 + 1 x 2 = 4 a unit, two units of 100 shares: 800.
    QCOMPARE(textAt(surface.ops(), kXc - 100, kY0 - 3200), QStringLiteral(" 800 "));
}

void TestRatioCalls::markersAndPayoffLine()
{
    // 300 shares at 4:3: 4 contracts; the unit profit at the strike is 23.
    const Chart c = chart({"50", "300", "55", "2", "4:3"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);

    QCOMPARE(textAt(c.ops, kXc, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, kXc, kY0 + 100), QStringLiteral("55"));
    QCOMPARE(textAt(c.ops, kXc - 100, kY0 - 3200), QStringLiteral(" 2300 "));
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral(" 47.33 "));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral(" 78 "));

    const auto red = linesIn(c.ops, ChartColour::PayoffRed);
    QCOMPARE(red.size(), std::size_t(4)); // the two axes and the two legs
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc - 4000, kY0 + 1000));
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc + 4000, kY0 + 1000));
    QVERIFY(textsAt(c.ops, kXc, kY0 + 500).isEmpty()); // no caption under the strike
}

void TestRatioCalls::oddWidthRoundsThePointsOfTheLine()
{
    const Chart c = chart({"50", "300", "55", "2", "4:3"}, 16111);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(textAt(c.ops, 8055.5, kY0 + 100), QStringLiteral("55"));
    // 8055.5 and 4055.5 go to the even neighbour, 12055.5 too.
    QVERIFY(lineBetween(c.ops, 8056, kY0 - 3000, 4056, kY0 + 1000));
    QVERIFY(lineBetween(c.ops, 8056, kY0 - 3000, 12056, kY0 + 1000));
}

void TestRatioCalls::strikePrintedAsTyped()
{
    const Chart c = chart({"20", "100", "25.50", "1", "2:1"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(textAt(c.ops, kXc, kY0 + 100), QStringLiteral("25.50"));
    QCOMPARE(textAt(c.ops, 3500, kY0 + 4000), QStringLiteral(" 25.5 "));
}

void TestRatioCalls::tableRows_data()
{
    QTest::addColumn<Position>("position");
    QTest::addColumn<QList<QStringList>>("rows");

    QTest::newRow("break-even 47.33: first row 5 below, break-even rows total 0")
        << Position {"50", "300", "55", "2", "4:3"}
        << QList<QStringList> {{"42.33", "-2301", "800", "-1501"}, {"47.33", "-801", "800", "0"},
               {"55", "1500", "800", "2300"}, {"78", "8400", "-8400", "0"},
               {"89.5", "11850", "-13000", "-1150"}};
    QTest::newRow("break-even 8: first row at half")
        << Position {"10", "100", "12", "1", "2:1"}
        << QList<QStringList> {{"4", "-600", "200", "-400"}, {"8", "-200", "200", "0"},
               {"12", "200", "200", "400"}, {"16", "600", "-600", "0"},
               {"18", "800", "-1000", "-200"}};
    QTest::newRow("break-even exactly 10: first row at half")
        << Position {"11", "100", "12", "0.5", "2:1"}
        << QList<QStringList> {{"5", "-600", "100", "-500"}, {"10", "-100", "100", "0"},
               {"12", "100", "100", "200"}, {"14", "300", "-300", "0"},
               {"15", "400", "-500", "-100"}};
    QTest::newRow("break-even 12.5: first row 5 below")
        << Position {"14", "100", "15", "0.75", "2:1"}
        << QList<QStringList> {{"7.5", "-650", "150", "-500"}, {"12.5", "-150", "150", "0"},
               {"15", "100", "150", "250"}, {"17.5", "350", "-350", "0"},
               {"18.75", "475", "-600", "-125"}};
}

void TestRatioCalls::tableRows()
{
    QFETCH(Position, position);
    QFETCH(QList<QStringList>, rows);

    const Chart c = chart(position);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(trimmedRow(c.ops, kY0 + 3200 + 400 * i, 3500), rows[i]);
    QVERIFY(!printsNonNumber(c.ops));
}

void TestRatioCalls::tableFrame()
{
    const Chart c = chart({"10", "100", "12", "1", "2:1"});
    verifyTexts(c.ops, kY0 + 2500,
        {{3500, "ABC at"}, {5500, "Stock"}, {7500, "Call"}, {9500, "Total"}}, true);
    QCOMPARE(textAt(c.ops, 3500, kY0 + 2700), QStringLiteral("Expiration($)"));
    for (double x : {5500.0, 7500.0, 9500.0})
        QCOMPARE(textAt(c.ops, x, kY0 + 2700), QStringLiteral("Profit/Loss($)"));
    QVERIFY(!textOpAt(c.ops, 3500, kY0 + 3200)->bold);

    QCOMPARE(linesIn(c.ops, ChartColour::RuleGreen).size(), std::size_t(3));
    for (double y : {kY0 + 2400, kY0 + 3000, kY0 + 5000})
        QVERIFY2(lineBetween(c.ops, 3500, y, 10500, y), qPrintable(QString::number(y)));
}

void TestRatioCalls::memoryKeepsRowsOfTheLastChart()
{
    const Chart c = chart({"10", "100", "12", "1", "2:1"});
    QCOMPARE(c.memory.tableTop, int(kY0 + 2400));
    QCOMPARE(c.memory.rowPrices, (std::array<double, 5> {4, 8, 12, 16, 18}));
    QCOMPARE(c.memory.rowStock, 800.0);
    QCOMPARE(c.memory.rowCall, -1000.0);
    QCOMPARE(c.memory.rowTotal, -200.0);
}

QTEST_GUILESS_MAIN(TestRatioCalls)
#include "tst_ratiocalls.moc"
