// Covered Calls: the nine checks in their order, the break-even field, the
// markers and ticks, the value table and its "XXX" rows.

#include "support/ChartProbe.h"

#include "core/Numbers.h"
#include "strategies/LastDigitRule.h"

using namespace velmora;
using namespace velmora::probe;

namespace
{

struct Position {
    QString stock, shares, strike, call;
};

void type(Workspace &ws, const Position &p)
{
    ws.load();
    ws.setText(at("Text4", 0), QStringLiteral("XYZ"));
    ws.setText(at("Text4", 1), p.stock);
    ws.setText(at("Text4", 2), p.shares);
    ws.setText(at("Text5", 1), p.strike);
    ws.setText(at("Text5", 2), p.call);
}

Chart chart(const Position &p)
{
    Workspace ws;
    type(ws, p);
    return run(ws);
}

} // namespace

Q_DECLARE_METATYPE(Position)

class TestCoveredCalls : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void contractsClearedFailsItsOwnCheck();

    void breakEvenAndStrikeMarkers();
    void strikePrintedUnrounded();
    void payoffLineAndMaximumProfit();
    void priceTicks_data();
    void priceTicks();
    void tableRows_data();
    void tableRows();
    void tableFrameAndDisclaimer();
    void memoryKeepsRowsOfTheLastChart();
    void breakEvenTextReadsBackExactly();

    void raisedToFive_data();
    void raisedToFive();
    void loweredToFive_data();
    void loweredToFive();
};

void TestCoveredCalls::checks_data()
{
    QTest::addColumn<Position>("position");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selectAll");

    const QString stockEmpty = QStringLiteral("Stock Price should not be Left Empty.");
    QTest::newRow("stock blank") << Position {"", "100", "25", "2"} << stockEmpty << "Text4(1)"
                                 << false;
    QTest::newRow("stock zero") << Position {"0", "100", "25", "2"} << stockEmpty << "Text4(1)"
                                << false;
    QTest::newRow("stock not a number")
        << Position {"abc", "100", "25", "2"} << stockEmpty << "Text4(1)" << false;
    QTest::newRow("shares blank") << Position {"20", "", "25", "2"}
                                  << "Shares should not be Left Empty."
                                  << "Text4(2)" << false;
    QTest::newRow("strike blank") << Position {"20", "100", " ", "2"}
                                  << "Strike Price should not be Left Empty."
                                  << "Text5(1)" << false;
    QTest::newRow("strike equals stock")
        << Position {"20", "100", "20", "2"} << "Strike Price must be Greater than Stock Price"
        << "Text5(1)" << false;
    QTest::newRow("strike below stock, call blank: strike first")
        << Position {"20", "100", "19", ""} << "Strike Price must be Greater than Stock Price"
        << "Text5(1)" << false;
    QTest::newRow("call blank") << Position {"20", "100", "25", ""}
                                << "Call Price should not be Left Empty."
                                << "Text5(2)" << false;
    QTest::newRow("shares 50") << Position {"20", "50", "25", "2"}
                               << "Shares should not be Less than 100."
                               << "Text4(2)" << false;
    QTest::newRow("call equals stock")
        << Position {"20", "100", "25", "20"} << "Call Price should be Less than Stock Price."
        << "Text5(2)" << false;
    QTest::newRow("shares 150") << Position {"20", "150", "25", "2"}
                                << "Shares can only be Multiples of 100."
                                << "Text4(2)" << true;
}

void TestCoveredCalls::checks()
{
    QFETCH(Position, position);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(bool, selectAll);

    const Chart c = chart(position);
    verifyRefusal(c.outcome, message, MsgStyle::Information, "Attention", focus, selectAll);
    QVERIFY(c.ops.empty());
}

void TestCoveredCalls::contractsClearedFailsItsOwnCheck()
{
    Workspace ws;
    type(ws, {"20", "100", "25", "2"});
    ws.setText(at("Text5", 3), QString());
    verifyRefusal(run(ws).outcome, "Contracts should not be Left Empty.", MsgStyle::Information,
        "Attention", "Text5(3)", false);
}

void TestCoveredCalls::breakEvenAndStrikeMarkers()
{
    Workspace ws;
    type(ws, {"20", "100", "25", "2"});
    const Chart c = run(ws);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(ws.text(single("txtBreak")), QStringLiteral("18"));

    QCOMPARE(textAt(c.ops, 7000, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, 7000, kY0 + 100), QStringLiteral(" 18 "));
    for (int dy : {300, 400, 500, 600})
        QCOMPARE(textAt(c.ops, 7000, kY0 + dy), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, 7000, kY0 + 800), QStringLiteral("(Break Even Point)"));

    QCOMPARE(textAt(c.ops, 10500, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, 10500, kY0 + 100), QStringLiteral(" 25 "));
    QCOMPARE(textAt(c.ops, 10500, kY0 + 300), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, 10500, kY0 + 500), QStringLiteral("(Strike Price)"));
}

void TestCoveredCalls::strikePrintedUnrounded()
{
    // The break-even is rounded to 2 decimals, the strike is not.
    const Chart c = chart({"20.0049", "100", "25.125", "2"});
    QCOMPARE(textAt(c.ops, 10500, kY0 + 100), QStringLiteral(" 25.125 "));
    QCOMPARE(textAt(c.ops, 7000, kY0 + 100), QStringLiteral(" 18 "));
}

void TestCoveredCalls::payoffLineAndMaximumProfit()
{
    const Chart c = chart({"20", "100", "25", "2"});
    const double maxLevel = kY0 - 2500;
    for (const auto &[x1, y1, x2, y2] : {std::array {10500.0, maxLevel, 14000.0, maxLevel},
             std::array {10500.0, maxLevel, 7000.0, kY0},
             std::array {7000.0, kY0, 3500.0, kY0 + 2600}}) {
        const auto segment = lineBetween(c.ops, x1, y1, x2, y2);
        QVERIFY2(segment,
            qPrintable(QStringLiteral("no line from (%1, %2) to (%3, %4)")
                           .arg(x1)
                           .arg(y1)
                           .arg(x2)
                           .arg(y2)));
        QCOMPARE(segment->colour, ChartColour::PayoffRed);
    }
    QCOMPARE(textAt(c.ops, 930, maxLevel - 300), QStringLiteral("__"));
    QCOMPARE(textAt(c.ops, 1200, maxLevel - 200), QStringLiteral(" 700 "));
}

void TestCoveredCalls::priceTicks_data()
{
    QTest::addColumn<Position>("position");
    // x and text of each price tick; an empty text: no tick at that x.
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QStringList>("prices");
    // Profit-axis values beside the two left ticks; empty: not drawn.
    QTest::addColumn<QString>("level6");
    QTest::addColumn<QString>("level5");

    QTest::newRow("K 25: raised to 30 and 35, left 15 and 10")
        << Position {"20", "100", "25", "2"} << QList<double> {12600, 14700, 6000, 5000}
        << QStringList {" 30 ", " 35 ", " 15 ", " 10 "} << "-300 "
        << "-800 ";
    QTest::newRow("K 12: fixed ticks 13 and 14, left 8 and 7")
        << Position {"10", "100", "12", "1"} << QList<double> {11500, 12500, 6000, 5000}
        << QStringList {" 13 ", " 14 ", " 8 ", " 7 "} << "-100 "
        << "-200 ";
    QTest::newRow("K 5: T1 equal to the strike moves to 6, P5 lowered by Q to 2")
        << Position {"4", "100", "5", "0.8"} << QList<double> {11500, 12500, 6000, 5000}
        << QStringList {" 6 ", " 7 ", " 3 ", " 2 "} << "-20 "
        << "-120 ";
    QTest::newRow("K exactly 20 takes the fixed ticks")
        << Position {"15", "200", "20", "1"} << QList<double> {11500, 12500, 6000, 5000}
        << QStringList {" 22 ", " 24 ", " 12 ", " 10 "} << "-400 "
        << "-800 ";
    QTest::newRow("K 21 takes the proportional ticks")
        << Position {"15", "200", "21", "1"}
        << QList<double> {10500.0 / 21 * 25, 10500.0 / 21 * 30, 6000, 5000}
        << QStringList {" 25 ", " 30 ", " 10 ", " 5 "} << "-800 "
        << "-1800 ";
    QTest::newRow("K 25, break-even 19.25: P6 16.5 lowered to 10.5, P5 5.5")
        << Position {"21.25", "100", "25", "2"} << QList<double> {12600, 14700, 6000, 5000}
        << QStringList {" 30 ", " 35 ", " 10 ", " 6 "} << "-925 "
        << "-1325 ";
    QTest::newRow("K 25, break-even 0.5: no left ticks")
        << Position {"1.5", "100", "25", "1"} << QList<double> {12600, 14700, 6000, 5000}
        << QStringList {" 30 ", " 35 ", "", ""} << ""
        << "";
    QTest::newRow("K 3, P6 not below the break-even: no left ticks")
        << Position {"3", "100", "4", "1"} << QList<double> {11500, 12500, 6000, 5000}
        << QStringList {" 5 ", " 6 ", "", ""} << ""
        << "";
    QTest::newRow("K 5, P5 lowered below 1: no tick at 5000")
        << Position {"2.2", "100", "5", "1"} << QList<double> {11500, 12500, 6000, 5000}
        << QStringList {" 6 ", " 7 ", " 1 ", ""} << "-20 "
        << "";
}

void TestCoveredCalls::priceTicks()
{
    QFETCH(Position, position);
    QFETCH(QList<double>, xs);
    QFETCH(QStringList, prices);
    QFETCH(QString, level6);
    QFETCH(QString, level5);

    const Chart c = chart(position);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    for (qsizetype i = 0; i < xs.size(); ++i) {
        QCOMPARE(textAt(c.ops, xs[i], kY0 + 100), prices[i]);
        QCOMPARE(
            textAt(c.ops, xs[i], kY0 - 100), prices[i].isEmpty() ? QString() : QStringLiteral("|"));
    }
    QCOMPARE(textAt(c.ops, 1200, kY0 + 600), level6);
    QCOMPARE(textAt(c.ops, 930, kY0 + 500), level6.isEmpty() ? QString() : QStringLiteral("__"));
    QCOMPARE(textAt(c.ops, 1200, kY0 + 1400), level5);
    QCOMPARE(textAt(c.ops, 930, kY0 + 1300), level5.isEmpty() ? QString() : QStringLiteral("__"));
}

void TestCoveredCalls::tableRows_data()
{
    QTest::addColumn<Position>("position");
    QTest::addColumn<QList<QStringList>>("rows");

    const QStringList xxx {"XXX", "XXX", "XXX", "XXX"};
    QTest::newRow("K 25") << Position {"20", "100", "25", "2"}
                          << QList<QStringList> {{"10", "-1000", "200", "-800"},
                                 {"15", "-500", "200", "-300"}, {"18", "-200", "200", "0"},
                                 {"25", "500", "200", "700"}, {"30", "1000", "-300", "700"}};
    QTest::newRow("K 12") << Position {"10", "100", "12", "1"}
                          << QList<QStringList> {{"7", "-300", "100", "-200"},
                                 {"8", "-200", "100", "-100"}, {"9", "-100", "100", "0"},
                                 {"12", "200", "100", "300"}, {"13", "300", "0", "300"}};
    QTest::newRow("K 5, lowered to Q")
        << Position {"4", "100", "5", "0.8"}
        << QList<QStringList> {{"2", "-200", "80", "-120"}, {"3", "-100", "80", "-20"},
               {"3.2", "-80", "80", "0"}, {"5", "100", "80", "180"}, {"6", "200", "-20", "180"}};
    QTest::newRow("K exactly 20") << Position {"15", "200", "20", "1"}
                                  << QList<QStringList> {{"10", "-1000", "200", "-800"},
                                         {"12", "-600", "200", "-400"}, {"14", "-200", "200", "0"},
                                         {"20", "1000", "200", "1200"},
                                         {"22", "1400", "-200", "1200"}};
    QTest::newRow("K 25, break-even 19.25")
        << Position {"21.25", "100", "25", "2"}
        << QList<QStringList> {{"6", "-1525", "200", "-1325"}, {"10", "-1125", "200", "-925"},
               {"19.25", "-200", "200", "0"}, {"25", "375", "200", "575"},
               {"30", "875", "-300", "575"}};
    QTest::newRow("K 25, left ticks below 1: XXX rows")
        << Position {"1.5", "100", "25", "1"}
        << QList<QStringList> {xxx, xxx, {"0.5", "-100", "100", "0"}, {"25", "2350", "100", "2450"},
               {"30", "2850", "-400", "2450"}};
    QTest::newRow("K 3, left ticks not below the break-even: XXX rows")
        << Position {"3", "100", "4", "1"}
        << QList<QStringList> {xxx, xxx, {"2", "-100", "100", "0"}, {"4", "100", "100", "200"},
               {"5", "200", "0", "200"}};
    QTest::newRow("K 5, P5 lowered below 1 keeps its row")
        << Position {"2.2", "100", "5", "1"}
        << QList<QStringList> {{"0", "-220", "100", "-120"}, {"1", "-120", "100", "-20"},
               {"1.2", "-100", "100", "0"}, {"5", "280", "100", "380"}, {"6", "380", "0", "380"}};
}

void TestCoveredCalls::tableRows()
{
    QFETCH(Position, position);
    QFETCH(QList<QStringList>, rows);

    const Chart c = chart(position);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(trimmedRow(c.ops, kY0 + 3200 + 400 * i, 8500), rows[i]);
    QVERIFY(!printsNonNumber(c.ops));
}

void TestCoveredCalls::tableFrameAndDisclaimer()
{
    const Chart c = chart({"20", "100", "25", "2"});
    verifyTexts(c.ops, kY0 + 2500,
        {{8500, "XYZ at"}, {10500, "Stock"}, {12500, "Call"}, {14000, "Total"}}, true);
    verifyTexts(c.ops, kY0 + 2700,
        {{8500, "Expiration($)"}, {10500, "Profit/Loss($)"}, {12500, "Profit/Loss($)"},
            {14000, "Profit/Loss($)"}},
        true);
    QVERIFY(!texts(c.ops, " 30 ")[0].bold);

    const auto rules = linesIn(c.ops, ChartColour::RuleGreen);
    QCOMPARE(rules.size(), std::size_t(3));
    for (double y : {kY0 + 2400, kY0 + 3000, kY0 + 5000})
        QVERIFY2(lineBetween(c.ops, 8500, y, 15500, y), qPrintable(QString::number(y)));

    const ChartOp &second = c.ops[c.ops.size() - 1];
    const ChartOp &first = c.ops[c.ops.size() - 2];
    QCOMPARE(first.x1, 1300.0);
    QCOMPARE(first.y1, 100.0);
    QVERIFY(first.text.startsWith(u"THIS TOOL SHOULD BE USED"));
    QCOMPARE(second.text, QStringLiteral(" POSITIONS INITIATED WITH THE HELP OF THIS TOOL."));
    QCOMPARE(second.y1, 300.0);
    QVERIFY(!first.bold && !second.bold);
    QCOMPARE(c.ops.front().kind, ChartOp::Kind::Clear);
}

void TestCoveredCalls::memoryKeepsRowsOfTheLastChart()
{
    const ChartMemory memory = chart({"20", "100", "25", "2"}).memory;
    QCOMPARE(memory.tableTop, int(kY0 + 2400));
    QCOMPARE(memory.rowPrices, (std::array<double, 5> {10, 15, 18, 25, 30}));
    QCOMPARE(memory.rowStock, 1000.0);
    QCOMPARE(memory.rowCall, -300.0);
    QCOMPARE(memory.rowTotal, 700.0);
}

void TestCoveredCalls::breakEvenTextReadsBackExactly()
{
    // 1.1 × 100 is not exactly 110 in binary: the break-even needs 16 digits.
    Workspace ws;
    type(ws, {"1.1", "100", "2", "0.3"});
    const Chart c = run(ws);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    const double expected = (1.1 * 100 - 30) / 100;
    const QString text = ws.text(single("txtBreak"));
    QCOMPARE(fieldNumber(text), expected);
    QVERIFY2(!text.contains(u'e', Qt::CaseInsensitive), qPrintable(text));
    QCOMPARE(textAt(c.ops, 7000, kY0 + 100), QStringLiteral(" 0.8 "));
}

void TestCoveredCalls::raisedToFive_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    for (const auto &[value, expected] : std::initializer_list<std::pair<double, double>> {
             {27, 30}, {26, 30}, {29, 30}, {31, 35}, {34, 35}, {35, 35}, {30, 30}, {1, 5}, {9, 10}})
        QTest::addRow("%g", value) << value << expected;
}

void TestCoveredCalls::raisedToFive()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(velmora::raisedToFive(value), expected);
}

void TestCoveredCalls::loweredToFive_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("15.43 kept") << 15.43 << 15.43;
    QTest::newRow("17.4 to 15.4") << 17.4 << 15.4;
    QTest::newRow("13.2 to 10.2") << 13.2 << 10.2;
    QTest::newRow("19.6 rounds to 20, kept") << 19.6 << 19.6;
    QTest::newRow("16.5 rounds to 16 twice, ends at 10.5") << 16.5 << 10.5;
    QTest::newRow("18.5 rounds to 18, ends at 10.5") << 18.5 << 10.5;
    QTest::newRow("12.5 rounds to 12, ends at 10.5") << 12.5 << 10.5;
    QTest::newRow("15.5 rounds to 16, ends at 10.5") << 15.5 << 10.5;
    QTest::newRow("19.5 rounds to 20, kept") << 19.5 << 19.5;
    QTest::newRow("4.4 to 0.4") << 4.4 << 0.4;
    QTest::newRow("0.4 kept") << 0.4 << 0.4;
}

void TestCoveredCalls::loweredToFive()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(velmora::loweredToFive(value), expected);
}

QTEST_GUILESS_MAIN(TestCoveredCalls)
#include "tst_coveredcalls.moc"
