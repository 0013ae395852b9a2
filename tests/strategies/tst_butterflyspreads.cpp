// Butterfly Spreads: the ten checks, the debit and zero-cost chart with its
// fifth row, the net-credit chart, and the skipping of steps that fault.

#include "support/ChartProbe.h"

#include "strategies/ButterflySpreads.h"
#include "strategies/ChartPen.h"

using namespace velmora;
using namespace velmora::probe;

namespace
{

struct Fly {
    QString strike1, price1, contracts, strike2, price2, price3;
};

void type(Workspace &ws, const Fly &b)
{
    ws.load();
    ws.setStrategy(int(StrategyKind::ButterflySpreads));
    ws.setText(at("Text6", 0), QStringLiteral("XYZ"));
    ws.setText(at("Text6", 3), b.strike1);
    ws.setText(at("Text6", 4), b.price1);
    ws.setText(at("Text6", 5), b.contracts); // Text7(3) and Text8(3) follow
    ws.setText(at("Text7", 1), b.strike2); // Text8(1) follows
    ws.setText(at("Text7", 2), b.price2);
    ws.setText(at("Text8", 2), b.price3);
}

const Fly kDebit {"40", "12", "1", "50", "6", "2"};
const Fly kZeroCost {"40", "12", "1", "50", "7", "2"};
const Fly kCredit {"40", "5", "1", "50", "4", "1"};

Chart chart(const Fly &b, ChartSurface surface = {})
{
    Workspace ws;
    type(ws, b);
    return run(ws, std::move(surface));
}

} // namespace

Q_DECLARE_METATYPE(Fly)

class TestButterflySpreads : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();

    void debitFigures();
    void debitRows_data();
    void debitRows();
    void debitLine();
    void zeroCostHasNoWings();
    void zeroCostRows_data();
    void zeroCostRows();
    void lowBreakEvenBelowMiddleStrike();
    void crossedBreakEvensRows_data();
    void crossedBreakEvensRows();
    void zeroCostWithDecimalPremiums_data();
    void zeroCostWithDecimalPremiums();

    void creditFigures();
    void creditRows_data();
    void creditRows();
    void creditChartIsRegularTypeWithoutDisclaimer();
    void creditRulesTakeTheDrawingColour_data();
    void creditRulesTakeTheDrawingColour();
    void creditCornersAreSinglePrecision();

    void overflowSkipsOnlyTheFaultingSteps();
    void amountsBeyondFifteenDigitsAreSkipped();
    void faultInFifthRowEndsOnlyThatRow();
    void faultInCreditChartEndsItThere();
};

void TestButterflySpreads::checks_data()
{
    QTest::addColumn<Fly>("fly");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("focus"); // empty: the focus stays where it is
    QTest::addColumn<bool>("selectAll");

    const int stop = MsgStyle::Stop;
    const QString strike1 = QStringLiteral("Strike Price1 should be not be Left Empty.");
    QTest::newRow("1 strike 1 blank")
        << Fly {"", "12", "1", "50", "6", "2"} << strike1 << stop << "Text6(3)" << false;
    QTest::newRow("1 strike 1 abc")
        << Fly {"abc", "12", "1", "50", "6", "2"} << strike1 << stop << "Text6(3)" << false;
    QTest::newRow("2 price 1") << Fly {"40", "0", "1", "50", "6", "2"}
                               << "Call Price1 should be not Left Empty." << stop << "Text6(4)"
                               << false;
    QTest::newRow("3 contracts") << Fly {"40", "12", " ", "50", "6", "2"}
                                 << "Contracts1 should be not Left Empty." << stop << "Text6(5)"
                                 << false;
    QTest::newRow("4 price 1 equals strike 1") << Fly {"40", "40", "1", "50", "6", "2"}
                                               << "Call Price 1 should be less than Strike Price1."
                                               << int(MsgStyle::Information) << "Text6(4)" << true;
    QTest::newRow("4 comes before 5")
        << Fly {"40", "45", "1", "", "6", "2"} << "Call Price 1 should be less than Strike Price1."
        << int(MsgStyle::Information) << "Text6(4)" << true;
    QTest::newRow("5 strike 2") << Fly {"40", "12", "1", "", "6", "2"}
                                << "Strike Price2 should be not Left Empty." << stop << "Text7(1)"
                                << false;
    QTest::newRow("6 price 2") << Fly {"40", "12", "1", "50", "", "2"}
                               << "Call Price2 should be not Left Empty." << stop << "Text7(2)"
                               << false;
    QTest::newRow("7 price 3") << Fly {"40", "12", "1", "50", "6", "-2"}
                               << "Call Price3 should be not Left Empty." << stop << "Text8(2)"
                               << false;
    QTest::newRow("8 equal strikes")
        << Fly {"50", "12", "1", "50", "6", "2"}
        << "Sell Strike Price should be Greater than Buy Strike Price." << stop << "" << false;
    QTest::newRow("9 equal prices 1 and 2")
        << Fly {"40", "6", "1", "50", "6", "2"} << "Call Price2 should be Less than Call Price1."
        << stop << "" << false;
    QTest::newRow("10 equal prices 2 and 3")
        << Fly {"40", "12", "1", "50", "6", "6"} << "Call Price3 should be less than Call Price2."
        << stop << "" << false;

    // Two checks fail at once: the earlier one is reported.
    QTest::newRow("2 before 3") << Fly {"40", "", "0", "50", "6", "2"}
                                << "Call Price1 should be not Left Empty." << stop << "Text6(4)"
                                << false;
    QTest::newRow("5 before 6") << Fly {"40", "12", "1", "", "", "2"}
                                << "Strike Price2 should be not Left Empty." << stop << "Text7(1)"
                                << false;
    QTest::newRow("6 before 7") << Fly {"40", "12", "1", "50", "0", ""}
                                << "Call Price2 should be not Left Empty." << stop << "Text7(2)"
                                << false;
    QTest::newRow("7 before 8") << Fly {"50", "12", "1", "40", "6", ""}
                                << "Call Price3 should be not Left Empty." << stop << "Text8(2)"
                                << false;
    QTest::newRow("8 before 9") << Fly {"50", "6", "1", "50", "6", "2"}
                                << "Sell Strike Price should be Greater than Buy Strike Price."
                                << stop << "" << false;
    QTest::newRow("9 before 10") << Fly {"40", "6", "1", "50", "7", "8"}
                                 << "Call Price2 should be Less than Call Price1." << stop << ""
                                 << false;
}

void TestButterflySpreads::checks()
{
    QFETCH(Fly, fly);
    QFETCH(QString, prompt);
    QFETCH(int, style);
    QFETCH(QString, focus);
    QFETCH(bool, selectAll);

    const Chart before = chart(kDebit);
    ChartSurface surface;
    surface.setOps(before.ops);

    const Chart c = chart(fly, surface);
    verifyRefusal(c.outcome, prompt, style, "Attention", focus, selectAll);
    QVERIFY(c.ops == before.ops);
}

void TestButterflySpreads::debitFigures()
{
    const Chart c = chart(kDebit);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(c.memory.netCredit, -200.0);
    QCOMPARE(c.memory.netPremium, 2.0);
    QCOMPARE(c.memory.maxProfit, 800.0);

    QCOMPARE(textAt(c.ops, kXc, kY0 + 100), QStringLiteral("50"));
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral(" 42 "));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral(" 58 "));
    QCOMPARE(textAt(c.ops, kXc - 5000, kY0 + 100), QStringLiteral("40"));
    QCOMPARE(textAt(c.ops, kXc + 5000, kY0 + 100), QStringLiteral("60"));
    for (const double x : {kXc - 5000, kXc - 3000, kXc, kXc + 3000, kXc + 5000})
        QCOMPARE(textAt(c.ops, x, kY0 - 100), QStringLiteral("|"));
    QCOMPARE(textAt(c.ops, 1150, kY0 - 3000), QStringLiteral(" 800 "));
    QCOMPARE(textAt(c.ops, 1150, kY0 + 900), QStringLiteral("-200 "));
    QCOMPARE(textAt(c.ops, 930, kY0 + 800), QStringLiteral("__"));

    QCOMPARE(row(c.ops, kY0 + 2500),
        (QStringList {"XYZ at ", "40 Call", "50 Call", "60 Call", "Total"}));
    QVERIFY(textOpAt(c.ops, 3500, kY0 + 2700)->bold);
    QCOMPARE(textAt(c.ops, 3500, kY0 + 2700), QStringLiteral("Expiration($)"));
    for (const double y : {kY0 + 2400, kY0 + 3000, kY0 + 5000})
        QCOMPARE(lineBetween(c.ops, 3500, y, 12500, y)->colour, ChartColour::RuleGreen);
    QVERIFY(hasDisclaimer(c.ops));
}

void TestButterflySpreads::debitRows_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("40") << kY0 + 3100 << QStringList {"40", "-1200", "1200", "-200", "-200"};
    QTest::newRow("42") << kY0 + 3500 << QStringList {"42", "-1000", "1200", "-200", "0"};
    QTest::newRow("50") << kY0 + 3900 << QStringList {"50", "-200", "1200", "-200", "800"};
    QTest::newRow("58") << kY0 + 4300 << QStringList {"58", "600", "-400", "-200", "0"};
    QTest::newRow("60") << kY0 + 4700 << QStringList {"60", "800", "-800", "-200", "-200"};
}

void TestButterflySpreads::debitRows()
{
    QFETCH(double, y);
    QFETCH(QStringList, expected);
    const Chart c = chart(kDebit);
    QCOMPARE(trimmedRow(c.ops, y), expected);
    // Typed strikes at 3800, break-evens 50 left of them; amounts at 5500 on.
    const bool typed
        = expected.front() == u"40" || expected.front() == u"50" || expected.front() == u"60";
    QVERIFY(textOpAt(c.ops, typed ? 3800 : 3750, y));
    QVERIFY(textOpAt(c.ops, 5500, y));
}

void TestButterflySpreads::debitLine()
{
    const Chart c = chart(kDebit);
    const double base = kY0 + 1000;
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc - 4000, base));
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc + 4000, base));
    QVERIFY(lineBetween(c.ops, kXc + 4000, base, kXc + 5000, base));
    QVERIFY(lineBetween(c.ops, kXc - 4000, base, kXc - 5000, base));
    QCOMPARE(linesIn(c.ops, ChartColour::PayoffRed).size(), std::size_t(2 + 4));
}

void TestButterflySpreads::zeroCostHasNoWings()
{
    const Chart c = chart(kZeroCost);
    QCOMPARE(c.memory.netCredit, 0.0);
    QCOMPARE(c.memory.maxProfit, 1000.0);
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral(" 40 "));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral(" 60 "));
    QVERIFY(textsAt(c.ops, kXc - 5000, kY0 + 100).isEmpty());
    QVERIFY(textsAt(c.ops, kXc + 5000, kY0 - 100).isEmpty());
    QVERIFY(textsAt(c.ops, 930, kY0 + 800).isEmpty());
    QVERIFY(textsAt(c.ops, 1150, kY0 + 900).isEmpty());
    // A tent standing on the price axis between the two break-even marks.
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc - 3000, kY0));
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc + 3000, kY0));
    QVERIFY(hasDisclaimer(c.ops));
}

void TestButterflySpreads::zeroCostRows_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<double>("firstXxx");
    QTest::newRow("below 40") << kY0 + 3100 << QStringList {"<40", "XXX", "XXX", "XXX", "0"}
                              << 5500.0;
    QTest::newRow("40") << kY0 + 3500 << QStringList {"40", "-1200", "1400", "-200", "0"} << 0.0;
    QTest::newRow("50") << kY0 + 3900 << QStringList {"50", "-200", "1400", "-200", "1000"} << 0.0;
    QTest::newRow("60") << kY0 + 4300 << QStringList {"60", "800", "-600", "-200", "0"} << 0.0;
    QTest::newRow("above 60") << kY0 + 4700 << QStringList {">60", "XXX", "XXX", "XXX", "0"}
                              << 5550.0;
}

void TestButterflySpreads::zeroCostRows()
{
    QFETCH(double, y);
    QFETCH(QStringList, expected);
    QFETCH(double, firstXxx);
    const Chart c = chart(kZeroCost);
    QCOMPARE(trimmedRow(c.ops, y), expected);
    if (firstXxx > 0) {
        QCOMPARE(textAt(c.ops, 3750, y), expected.front());
        QCOMPARE(textAt(c.ops, firstXxx, y), QStringLiteral("XXX"));
        QCOMPARE(textAt(c.ops, 11500, y), QStringLiteral(" 0 "));
    }
}

void TestButterflySpreads::lowBreakEvenBelowMiddleStrike()
{
    // BE1 = 9.5 lies below the middle strike 10 although it rounds to it:
    // the short calls keep their whole premium there.
    const Chart c = chart({"9", "3", "1", "10", "1.5", "0.5"});
    QCOMPARE(c.memory.netCredit, -50.0);
    QCOMPARE(trimmedRow(c.ops, kY0 + 3500), (QStringList {"9.5", "-250", "300", "-50", "0"}));
}

void TestButterflySpreads::crossedBreakEvensRows_data()
{
    // A debit of 15 a share on strikes 10 apart: BE1 = 55 lies above the
    // middle strike and BE2 = 45 below it, so rows 2 and 4 value the short
    // calls the other way round from the usual tent.
    QTest::addColumn<double>("y");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("40") << kY0 + 3100 << QStringList {"40", "-2500", "1200", "-200", "-1500"};
    QTest::newRow("BE1 55") << kY0 + 3500 << QStringList {"55", "-1000", "200", "-200", "-1000"};
    QTest::newRow("50") << kY0 + 3900 << QStringList {"50", "-1500", "1200", "-200", "-500"};
    QTest::newRow("BE2 45") << kY0 + 4300 << QStringList {"45", "-2000", "1200", "-200", "-1000"};
    QTest::newRow("60") << kY0 + 4700 << QStringList {"60", "-500", "-800", "-200", "-1500"};
}

void TestButterflySpreads::crossedBreakEvensRows()
{
    QFETCH(double, y);
    QFETCH(QStringList, expected);
    const Chart c = chart({"40", "25", "1", "50", "6", "2"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(c.memory.netCredit, -1500.0);
    QCOMPARE(trimmedRow(c.ops, y), expected);
}

void TestButterflySpreads::zeroCostWithDecimalPremiums_data()
{
    // 2 × P2 = P1 + P3 exactly, but the sum of the three legs in binary is
    // a hair below (or above) nothing.
    QTest::addColumn<Fly>("fly");
    QTest::newRow("0.55, 0.30, 0.05") << Fly {"40", "0.55", "1", "50", "0.30", "0.05"};
    QTest::newRow("0.60, 0.55, 0.50") << Fly {"40", "0.60", "1", "50", "0.55", "0.50"};
    QTest::newRow("1.1, 0.7, 0.3") << Fly {"40", "1.1", "3", "50", "0.7", "0.3"};
}

void TestButterflySpreads::zeroCostWithDecimalPremiums()
{
    QFETCH(Fly, fly);
    const Chart c = chart(fly);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QVERIFY(c.memory.netCredit == 0); // QCOMPARE would forgive a hair
    QVERIFY(c.memory.netPremium == 0);
    QVERIFY(hasDisclaimer(c.ops)); // not the net-credit chart
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral(" 40 "));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral(" 60 "));
    QVERIFY(textsAt(c.ops, kXc - 5000, kY0 - 100).isEmpty());
    QVERIFY(textsAt(c.ops, 1150, kY0 + 900).isEmpty());
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc - 3000, kY0));
    QCOMPARE(trimmedRow(c.ops, kY0 + 3100), (QStringList {"<40", "XXX", "XXX", "XXX", "0"}));
    QCOMPARE(trimmedRow(c.ops, kY0 + 4700), (QStringList {">60", "XXX", "XXX", "XXX", "0"}));
}

void TestButterflySpreads::creditFigures()
{
    const Chart c = chart(kCredit);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(c.memory.netCredit, 200.0);
    QCOMPARE(c.memory.netPremium, 2.0);
    QCOMPARE(c.memory.maxProfit, 1200.0);

    QCOMPARE(textAt(c.ops, 100, 100), QStringLiteral("Profit"));
    QCOMPARE(textAt(c.ops, 960, 100), QStringLiteral("^"));
    QCOMPARE(textAt(c.ops, 100, 10200 - 300), QStringLiteral("<2 texts>")); // "Loss($)" and "Loss"
    QVERIFY(textsAt(c.ops, 100, 10200 - 300).contains(QStringLiteral("Loss")));
    QCOMPARE(textAt(c.ops, 1150, kY0 - 3000), QStringLiteral(" 1200 "));
    QCOMPARE(textAt(c.ops, 1150, kY0 - 800), QStringLiteral(" 200 "));
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral("40"));
    QCOMPARE(textAt(c.ops, kXc, kY0 + 100), QStringLiteral("50"));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral("60"));

    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc - 3000, kY0 - 700));
    QVERIFY(lineBetween(c.ops, kXc, kY0 - 3000, kXc + 3000, kY0 - 700));
    QVERIFY(lineBetween(c.ops, kXc + 3000, kY0 - 700, kXc + 4200, kY0 - 700));
    QVERIFY(lineBetween(c.ops, kXc - 3000, kY0 - 700, kXc - 4200, kY0 - 700));

    QCOMPARE(row(c.ops, kY0 + 2500),
        (QStringList {"XYZ at ", "40 Call", "50 Call", "60 Call", "Total"}));
    QCOMPARE(row(c.ops, kY0 + 2700),
        (QStringList {
            "Expiration", "Profit/Loss($)", "Profit/Loss($)", "Profit/Loss($)", "Profit"}));
    QCOMPARE(c.memory.tableTop, 7500);
}

void TestButterflySpreads::creditRows_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("below 40") << kY0 + 3100 << QStringList {"<40", "XXX", "XXX", "XXX", "200"};
    QTest::newRow("40") << kY0 + 3500 << QStringList {"40", "-500", "800", "-100", "200"};
    QTest::newRow("50") << kY0 + 3900 << QStringList {"50", "500", "800", "-100", "1200"};
    QTest::newRow("60") << kY0 + 4300 << QStringList {"60", "1500", "-1200", "-100", "200"};
    QTest::newRow("above 60") << kY0 + 4700 << QStringList {">60", "XXX", "XXX", "XXX", "200"};
}

void TestButterflySpreads::creditRows()
{
    QFETCH(double, y);
    QFETCH(QStringList, expected);
    const Chart c = chart(kCredit);
    QCOMPARE(trimmedRow(c.ops, y), expected);
    if (expected.at(1) == u"XXX") {
        QCOMPARE(textAt(c.ops, 3700, y), expected.front());
        QCOMPARE(textAt(c.ops, 5550, y), QStringLiteral("XXX"));
    } else {
        QCOMPARE(textAt(c.ops, 3800, y), expected.front());
    }
}

void TestButterflySpreads::creditChartIsRegularTypeWithoutDisclaimer()
{
    const Chart c = chart(kCredit);
    QVERIFY(!hasDisclaimer(c.ops));
    // Only the empty chart's own captions are bold.
    const QStringList captions {"Profit($)", "Loss($)", "Stock", "Price"};
    for (const ChartOp &op : c.ops) {
        if (isText(op) && !captions.contains(op.text))
            QVERIFY2(!op.bold, qPrintable(op.text));
    }
    QVERIFY(texts(c.ops, QStringLiteral("(Break Even Point)")).empty());
}

void TestButterflySpreads::creditRulesTakeTheDrawingColour_data()
{
    QTest::addColumn<ChartPalette>("palette");
    QTest::newRow("screen") << ChartPalette::screen();
    QTest::newRow("print") << ChartPalette::print();
}

void TestButterflySpreads::creditRulesTakeTheDrawingColour()
{
    QFETCH(ChartPalette, palette);
    ChartSurface surface;
    surface.setPalette(palette);
    const Chart c = chart(kCredit, surface);
    for (const double y : {kY0 + 2400, kY0 + 3000, kY0 + 5000}) {
        const auto rule = lineBetween(c.ops, 3500, y, 12500, y);
        QVERIFY2(rule, qPrintable(QStringLiteral("no rule at %1").arg(y)));
        QCOMPARE(rule->colour, palette.foreground);
    }
    QVERIFY(linesIn(c.ops, ChartColour::RuleGreen).empty());
}

void TestButterflySpreads::creditCornersAreSinglePrecision()
{
    ChartSurface surface;
    surface.setScaleSize(16110.3, 10200.5);
    const Chart c = chart(kCredit, surface);
    const double xc = 16110.3 / 2;
    const double y0 = 10200.5 / 2;
    const double cornerX = double(float(xc + 3000));
    const double cornerY = double(float(y0 - 700));
    QVERIFY(cornerX != xc + 3000); // the surface size makes the difference visible
    QVERIFY(lineBetween(c.ops, double(float(xc)), double(float(y0 - 3000)), cornerX, cornerY));
    // The plateau's outer end is whole; its inner end is the corner.
    QVERIFY(lineBetween(c.ops, cornerX, cornerY, 12255, 4400));
    QVERIFY(lineBetween(c.ops, double(float(xc - 3000)), cornerY, 3855, 4400));
}

void TestButterflySpreads::overflowSkipsOnlyTheFaultingSteps()
{
    // 1E+306 contracts: the amounts overflow, the strikes and texts do not.
    const Chart c = chart({"40", "12", "1E+306", "50", "6", "2"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QVERIFY(!printsNonNumber(c.ops));
    QVERIFY(coordinatesFinite(c.ops));
    QVERIFY(std::isnan(c.memory.netCredit));
    // Skipped: every amount.
    QVERIFY(textsAt(c.ops, 1150, kY0 - 3000).isEmpty());
    QVERIFY(textsAt(c.ops, kXc - 3000, kY0 + 100).isEmpty());
    for (const double y : {kY0 + 3100, kY0 + 3500, kY0 + 3900, kY0 + 4300, kY0 + 4700})
        QVERIFY(textsAt(c.ops, 5500, y).isEmpty());
    // Drawn: the marks, the line, the table frame, the typed prices, the disclaimer.
    QCOMPARE(textAt(c.ops, kXc, kY0 + 100), QStringLiteral("50"));
    QCOMPARE(linesIn(c.ops, ChartColour::PayoffRed).size(), std::size_t(2 + 4));
    QCOMPARE(textAt(c.ops, 3800, kY0 + 3900), QStringLiteral("50"));
    QCOMPARE(textAt(c.ops, 11500, kY0 + 2500), QStringLiteral("Total"));
    QVERIFY(lineBetween(c.ops, 3500, kY0 + 5000, 12500, kY0 + 5000));
    QVERIFY(hasDisclaimer(c.ops));
}

void TestButterflySpreads::amountsBeyondFifteenDigitsAreSkipped()
{
    // 1E+16 contracts: every amount is finite but would need an exponent
    // ("-2E+18"); the break-evens are ordinary prices and stay.
    const Chart c = chart({"40", "12", "10000000000000000", "50", "6", "2"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    for (const ChartOp &op : c.ops)
        QVERIFY2(!op.text.contains(u"E+"), qPrintable(op.text));
    QVERIFY(textsAt(c.ops, 1150, kY0 - 3000).isEmpty());
    QVERIFY(textsAt(c.ops, 1150, kY0 + 900).isEmpty());
    QVERIFY(textsAt(c.ops, 5500, kY0 + 3500).isEmpty());
    QCOMPARE(textAt(c.ops, kXc - 3000, kY0 + 100), QStringLiteral(" 42 "));
    QCOMPARE(textAt(c.ops, kXc + 3000, kY0 + 100), QStringLiteral(" 58 "));
    QVERIFY(hasDisclaimer(c.ops));
}

void TestButterflySpreads::faultInFifthRowEndsOnlyThatRow()
{
    Workspace ws;
    type(ws, kDebit);
    ws.setText(at("Text8", 1), QStringLiteral("1.7E+308")); // the third strike typed over
    const Chart c = run(ws);
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QVERIFY(!printsNonNumber(c.ops));
    // Row 4 (at BE2, near the third strike): the amounts that overflow are
    // skipped one by one, the third leg is still printed.
    QVERIFY(textsAt(c.ops, 5500, kY0 + 4300).isEmpty());
    QCOMPARE(textAt(c.ops, 9500, kY0 + 4300), QStringLiteral("-200 "));
    // Row 5: the first amount ends the procedure, so the third leg is not printed.
    QCOMPARE(textAt(c.ops, 3800, kY0 + 4700), QStringLiteral("1.7E+308"));
    QVERIFY(textsAt(c.ops, 9500, kY0 + 4700).isEmpty());
    // The branch goes on after it.
    QVERIFY(lineBetween(c.ops, 3500, kY0 + 5000, 12500, kY0 + 5000));
    QVERIFY(hasDisclaimer(c.ops));
}

void TestButterflySpreads::faultInCreditChartEndsItThere()
{
    // A net credit whose maximum profit overflows: the credit chart stops at
    // the first amount it cannot print and nothing after it is drawn.
    const Chart c = chart({"40", "5", "1", "1.5E+308", "4", "1"});
    QCOMPARE(c.outcome.result, ChartResult::Chart);
    QCOMPARE(c.memory.netCredit, 200.0);
    QVERIFY(!printsNonNumber(c.ops));
    QCOMPARE(textAt(c.ops, 100, 100), QStringLiteral("Profit"));
    QCOMPARE(textAt(c.ops, 930, kY0 - 3100), QStringLiteral("__"));
    QVERIFY(textsAt(c.ops, 1150, kY0 - 3000).isEmpty());
    QVERIFY(textsAt(c.ops, 1150, kY0 - 800).isEmpty());
    QVERIFY(textsAt(c.ops, 3500, kY0 + 2500).isEmpty());
    QVERIFY(!hasDisclaimer(c.ops));
}

QTEST_GUILESS_MAIN(TestButterflySpreads)
#include "tst_butterflyspreads.moc"
