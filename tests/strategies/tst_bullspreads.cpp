// Bull Spreads: the eight checks, the fixed geometry, the labels and the
// value table with its typed strike texts. The disclaimer every branch
// shares is tested with Covered Calls.

#include "support/ChartProbe.h"

using namespace velmora;
using namespace velmora::probe;

namespace
{

struct Spread {
    QString buyStrike, buyPrice, contracts, sellStrike, sellPrice;
};

void type(Workspace &ws, const Spread &s)
{
    ws.load();
    ws.setStrategy(int(StrategyKind::BullSpreads));
    ws.setText(at("Text2", 0), QStringLiteral("XYZ"));
    ws.setText(at("Text2", 3), s.buyStrike);
    ws.setText(at("Text2", 4), s.buyPrice);
    ws.setText(at("Text2", 5), s.contracts); // the sell side follows
    ws.setText(at("Text3", 1), s.sellStrike);
    ws.setText(at("Text3", 2), s.sellPrice);
}

const Spread kExample {"50", "5", "2", "60", "2"};

Chart chart(const Spread &s, ChartSurface surface = {})
{
    Workspace ws;
    type(ws, s);
    return run(ws, std::move(surface));
}

// The lines in the payoff colour that are not the two axes.
std::vector<ChartOp> payoffLines(const std::vector<ChartOp> &ops)
{
    std::vector<ChartOp> lines = linesIn(ops, ChartColour::PayoffRed);
    std::erase_if(lines, [](const ChartOp &op) { return op.x1 == 0 || op.y1 == 0; });
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Spread)

class TestBullSpreads : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void marksAndPlateauAmounts();
    void payoffLine();
    void geometryIsTheSameForEveryPosition();
    void tableRows_data();
    void tableRows();
    void tableFrameAndType();
    void typedStrikesStayAsTyped();
    void overflowIsRefusedAndLeavesTheChart();
};

void TestBullSpreads::checks_data()
{
    QTest::addColumn<Spread>("spread");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selectAll");

    const QString strike1 = QStringLiteral("Call Strike Price should not be left Empty.");
    const int stop = MsgStyle::Stop;
    const int info = MsgStyle::Information;
    QTest::newRow("1 buy strike blank")
        << Spread {"", "5", "2", "60", "2"} << strike1 << stop << "Please"
        << "Text2(3)" << false;
    QTest::newRow("1 buy strike blanks")
        << Spread {"   ", "5", "2", "60", "2"} << strike1 << stop << "Please"
        << "Text2(3)" << false;
    QTest::newRow("1 buy strike 0")
        << Spread {"0", "5", "2", "60", "2"} << strike1 << stop << "Please"
        << "Text2(3)" << false;
    QTest::newRow("1 buy strike abc")
        << Spread {"abc", "5", "2", "60", "2"} << strike1 << stop << "Please"
        << "Text2(3)" << false;
    QTest::newRow("1 wins over 2") << Spread {"", "", "2", "60", "2"} << strike1 << stop << "Please"
                                   << "Text2(3)" << false;
    QTest::newRow("2 buy price") << Spread {"50", "-1", "2", "60", "2"}
                                 << "Call Price should not be Left Empty." << stop << "Please"
                                 << "Text2(4)" << false;
    QTest::newRow("3 contracts") << Spread {"50", "5", "", "60", "2"}
                                 << "Contracts should not be Left Empty." << stop << "Attention"
                                 << "Text2(5)" << false;
    QTest::newRow("4 sell strike")
        << Spread {"50", "5", "2", "", "2"} << "Call Strike Price should not be Left Empty." << stop
        << "Attention"
        << "Text3(1)" << false;
    QTest::newRow("5 sell price") << Spread {"50", "5", "2", "60", "0"}
                                  << "Call Price should not be Left Empty." << stop << "Attention"
                                  << "Text3(2)" << false;
    const QString strikes
        = QStringLiteral(" Sell Strike Price should be Greater than Buy Strike Price.");
    QTest::newRow("6 equal strikes")
        << Spread {"50", "5", "2", "50", "2"} << strikes << info << "Attention"
        << "Text3(1)" << true;
    QTest::newRow("6 sell strike lower")
        << Spread {"50", "5", "2", "45", "2"} << strikes << info << "Attention"
        << "Text3(1)" << true;
    QTest::newRow("7 equal premiums")
        << Spread {"50", "5", "2", "60", "5"}
        << "Buy Call Price should be Greater than Sell Call Price." << info << "Attention"
        << "Text3(2)" << true;
    QTest::newRow("8 buy price equals buy strike")
        << Spread {"5", "5", "2", "60", "2"}
        << "Buy Call Price should be less than Buy Strike Price." << info << "Attention"
        << "Text2(4)" << true;

    // Two checks fail at once: the earlier one is reported.
    QTest::newRow("2 before 3") << Spread {"50", "", "", "60", "2"}
                                << "Call Price should not be Left Empty." << stop << "Please"
                                << "Text2(4)" << false;
    QTest::newRow("3 before 4") << Spread {"50", "5", "0", "", "2"}
                                << "Contracts should not be Left Empty." << stop << "Attention"
                                << "Text2(5)" << false;
    QTest::newRow("4 before 5") << Spread {"50", "5", "2", "abc", ""}
                                << "Call Strike Price should not be Left Empty." << stop
                                << "Attention"
                                << "Text3(1)" << false;
    QTest::newRow("5 before 6") << Spread {"50", "5", "2", "40", ""}
                                << "Call Price should not be Left Empty." << stop << "Attention"
                                << "Text3(2)" << false;
    QTest::newRow("6 before 7") << Spread {"50", "5", "2", "50", "5"} << strikes << info
                                << "Attention"
                                << "Text3(1)" << true;
    QTest::newRow("7 before 8") << Spread {"5", "6", "2", "60", "7"}
                                << "Buy Call Price should be Greater than Sell Call Price." << info
                                << "Attention"
                                << "Text3(2)" << true;
}

void TestBullSpreads::checks()
{
    QFETCH(Spread, spread);
    QFETCH(QString, prompt);
    QFETCH(int, style);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    QFETCH(bool, selectAll);

    // The chart of the request before stays as it was.
    const Chart before = chart(kExample);
    QCOMPARE(before.outcome.result, ChartResult::Chart);
    ChartSurface surface;
    surface.setOps(before.ops);

    const Chart c = chart(spread, surface);
    verifyRefusal(c.outcome, prompt, style, title, focus, selectAll);
    QVERIFY(c.ops == before.ops);
}

void TestBullSpreads::marksAndPlateauAmounts()
{
    const Chart c = chart(kExample);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    for (const double x : {kXc, kXc - 3000, kXc + 3000})
        QCOMPARE(textAt(c.ops, x, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, kXc, kY0 + 100), QStringLiteral(" 53 "));
    QCOMPARE(textAt(c.ops, kXc, kY0 + 300), QStringLiteral("(Break Even Point)"));
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral("50"));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral("60"));

    QCOMPARE(textAt(c.ops, 930, kY0 - 2400), QStringLiteral("__"));
    QCOMPARE(textAt(c.ops, 1150, kY0 - 2350), QStringLiteral(" 1400 "));
    QCOMPARE(textAt(c.ops, 930, kY0 + 1800), QStringLiteral("__"));
    QCOMPARE(textAt(c.ops, 1150, kY0 + 1850), QStringLiteral("-600 "));
    // The marks come before bold type is switched on, the amounts after.
    QVERIFY(!textOpAt(c.ops, kXc, kY0 + 100)->bold);
    QVERIFY(textOpAt(c.ops, 1150, kY0 - 2350)->bold);
    QVERIFY(textOpAt(c.ops, 1150, kY0 + 1850)->bold);
}

void TestBullSpreads::payoffLine()
{
    const Chart c = chart(kExample);
    const auto lines = payoffLines(c.ops);
    QCOMPARE(lines.size(), std::size_t(3));
    // Rising part through the break-even mark, then the loss and profit plateaus.
    QVERIFY(lineBetween(lines, kXc - 3000, kY0 + 2000, kXc + 3000, kY0 - 2000));
    QVERIFY(lineBetween(lines, kXc - 3000, kY0 + 2000, kXc - 5000, kY0 + 2000));
    QVERIFY(lineBetween(lines, kXc + 3000, kY0 - 2000, kXc + 5000, kY0 - 2000));
}

void TestBullSpreads::geometryIsTheSameForEveryPosition()
{
    const Chart a = chart(kExample);
    const Chart b = chart({"12.5", "3.25", "7", "80", "0.5"});
    QCOMPARE(b.outcome.result, ChartResult::Chart);
    QVERIFY(payoffLines(a.ops) == payoffLines(b.ops));
    QVERIFY(textAt(a.ops, 1150, kY0 - 2350) != textAt(b.ops, 1150, kY0 - 2350));
}

void TestBullSpreads::tableRows_data()
{
    QTest::addColumn<Spread>("spread");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("price");
    QTest::addColumn<double>("priceX");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("buy strike") << kExample << kY0 + 3200 << "50" << 5500.0
                                << QStringList {"-1000 ", " 400 ", "-600 "};
    QTest::newRow("break-even") << kExample << kY0 + 3600 << " 53 " << 5450.0
                                << QStringList {"-400 ", " 400 ", " 0 "};
    QTest::newRow("sell strike") << kExample << kY0 + 4000 << "60" << 5500.0
                                 << QStringList {" 1000 ", " 400 ", " 1400 "};
    QTest::newRow("fourth price") << kExample << kY0 + 4400 << " 70 " << 5450.0
                                  << QStringList {" 3000 ", "-1600 ", " 1400 "};

    // A debit of 13 on strikes 10 apart: the break-even 63 lies above the
    // sell strike, where the short call already loses.
    const Spread wide {"50", "15", "1", "60", "2"};
    QTest::newRow("break-even above sell strike")
        << wide << kY0 + 3600 << " 63 " << 5450.0 << QStringList {"-200 ", "-100 ", "-300 "};
    QTest::newRow("sell strike below break-even")
        << wide << kY0 + 4000 << "60" << 5500.0 << QStringList {"-500 ", " 200 ", "-300 "};
}

void TestBullSpreads::tableRows()
{
    QFETCH(Spread, spread);
    QFETCH(double, y);
    QFETCH(QString, price);
    QFETCH(double, priceX);
    QFETCH(QStringList, values);

    const Chart c = chart(spread);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(textAt(c.ops, priceX, y), price);
    QCOMPARE(
        (QStringList {textAt(c.ops, 7500, y), textAt(c.ops, 9500, y), textAt(c.ops, 11500, y)}),
        values);
    QCOMPARE(row(c.ops, y).size(), 4);
    QVERIFY(!textOpAt(c.ops, 7500, y)->bold);
}

void TestBullSpreads::tableFrameAndType()
{
    const Chart c = chart(kExample);
    QCOMPARE(row(c.ops, kY0 + 2500), (QStringList {"XYZ at", "50 Call", "60 Call", "Total"}));
    QCOMPARE(row(c.ops, kY0 + 2700),
        (QStringList {"Expiration($)", "Profit/Loss($)", "Profit/Loss($)", "Profit/Loss($)"}));
    QVERIFY(textOpAt(c.ops, 5500, kY0 + 2500)->bold);
    QVERIFY(textOpAt(c.ops, 11500, kY0 + 2700)->bold);
    QCOMPARE(c.memory.tableTop, 7500);
    for (const double y : {kY0 + 2400, kY0 + 3000, kY0 + 5000}) {
        const auto rule = lineBetween(c.ops, 5500, y, 12500, y);
        QVERIFY2(rule, qPrintable(QStringLiteral("no rule at %1").arg(y)));
        QCOMPARE(rule->colour, ChartColour::RuleGreen);
    }
    // The row amounts of the last row stay in the window's memory.
    QCOMPARE(c.memory.leg1Value, 3000.0);
    QCOMPARE(c.memory.leg2Value, -1600.0);
    QCOMPARE(c.memory.totalValue, 1400.0);
}

void TestBullSpreads::typedStrikesStayAsTyped()
{
    const Chart c = chart({"50.00", "5", "2", "060", "2"});
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral("50.00"));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral("060"));
    QCOMPARE(textAt(c.ops, 5500, kY0 + 3200), QStringLiteral("50.00"));
    QCOMPARE(textAt(c.ops, 5500, kY0 + 4000), QStringLiteral("060"));
    QCOMPARE(textAt(c.ops, 7500, kY0 + 2500), QStringLiteral("50.00 Call"));
    QCOMPARE(textAt(c.ops, 9500, kY0 + 2500), QStringLiteral("060 Call"));
    // Computed prices are numbers.
    QCOMPARE(textAt(c.ops, 5450, kY0 + 3600), QStringLiteral(" 53 "));
    QCOMPARE(textAt(c.ops, 5450, kY0 + 4400), QStringLiteral(" 70 "));
}

void TestBullSpreads::overflowIsRefusedAndLeavesTheChart()
{
    const Chart before = chart(kExample);
    ChartSurface surface;
    surface.setOps(before.ops);
    const Chart c = chart({"50", "5", "1E+306", "60", "2"}, surface);
    QCOMPARE(c.outcome.result, ChartResult::Refused);
    QCOMPARE(c.outcome.refusal->message.style, MsgStyle::Stop);
    QVERIFY(!c.outcome.refusal->message.prompt.contains(u"inf"));
    QVERIFY(c.ops == before.ops);
}

QTEST_GUILESS_MAIN(TestBullSpreads)
#include "tst_bullspreads.moc"
