// The checks of the five strategies in their order: each refusal names its
// message, style, title and the field that takes the focus, and leaves the
// chart already on the surface exactly as it was.

#include "support/TestSupport.h"

using namespace velmora;
using namespace velmora::testing;

namespace
{

// A position of each strategy that charts, in the form typePosition() reads.
const char *const kExample[] {
    "20|100|25|2", "10|100|12|1|2:1", "50|5|2|60|2", "40|12|1|50|6|2", "20|3|1|25|2"};

constexpr int covered = 0, ratio = 1, bull = 2, fly = 3, spread = 4;
constexpr int info = MsgStyle::Information, stop = MsgStyle::Stop;

} // namespace

class TestChecks : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void noStrategyLeavesEverything();
};

void TestChecks::checks_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus"); // empty: the focus stays where it is
    QTest::addColumn<bool>("selectAll");

    const char *stockEmpty = "Stock Price should not be Left Empty.";
    const char *strikeLow = "Strike Price must be Greater than Stock Price";
    addRow("covered: stock abc", covered, "abc|100|25|2", stockEmpty, info, "Attention", "Text4(1)",
        false);
    addRow("covered: shares blank", covered, "20||25|2", "Shares should not be Left Empty.", info,
        "Attention", "Text4(2)", false);
    addRow("covered: strike blank", covered, "20|100| |2", "Strike Price should not be Left Empty.",
        info, "Attention", "Text5(1)", false);
    addRow("covered: strike equals stock", covered, "20|100|20|2", strikeLow, info, "Attention",
        "Text5(1)", false);
    addRow("covered: strike before call", covered, "20|100|19|", strikeLow, info, "Attention",
        "Text5(1)", false);
    addRow("covered: call blank", covered, "20|100|25|", "Call Price should not be Left Empty.",
        info, "Attention", "Text5(2)", false);
    addRow("covered: contracts cleared", covered,
        "20|100|25|2|Text5(3)=", "Contracts should not be Left Empty.", info, "Attention",
        "Text5(3)", false);
    addRow("covered: shares 50", covered, "20|50|25|2", "Shares should not be Less than 100.", info,
        "Attention", "Text4(2)", false);
    addRow("covered: call equals stock", covered, "20|100|25|20",
        "Call Price should be Less than Stock Price.", info, "Attention", "Text5(2)", false);
    addRow("covered: shares 150", covered, "20|150|25|2", "Shares can only be Multiples of 100.",
        info, "Attention", "Text4(2)", true);

    const char *breakEven = "Error in Break Even Point";
    addRow("ratio: stock blank", ratio, "|100|12|1|2:1", stockEmpty, info, "Attention",
        "txtRatioBuy(1)", false);
    addRow("ratio: shares blank, message ends with a blank", ratio, "10||12|1|2:1",
        "Shares should not be Left Empty. ", info, "Attention", "txtRatioBuy(2)", false);
    addRow("ratio: strike zero", ratio, "10|100|0|1|2:1", "Strike Price should not be Left Empty.",
        info, "Attention", "txtRatioSell(1)", false);
    addRow("ratio: call blank", ratio, "10|100|12||2:1", "Call Price should not be Left Empty.",
        info, "Attention", "txtRatioSell(2)", false);
    addRow("ratio: no ratio, before the strike", ratio, "55|100|55|1|",
        "Contract Ratio should not be Left Empty.", info, "Attention", "cmbRatio", false);
    addRow("ratio: strike equals stock", ratio, "55|100|55|1|2:1",
        "Strike Price should be Greater than Stock Price.", info, "Attention", "txtRatioSell(1)",
        false);
    addRow("ratio: 300 shares at 3:2 are 4.5 contracts", ratio, "50|300|55|2|3:2",
        "Contracts cannot be in Decimals.", info, "Attention", "txtRatioBuy(2)", true);
    addRow("ratio: break-even below 0", ratio, "10|100|12|6|2:1", breakEven, info, "Attention", "",
        false);
    addRow("ratio: break-even exactly 0", ratio, "10|100|12|5|2:1", breakEven, info, "Attention",
        "", false);

    const char *strike1 = "Call Strike Price should not be left Empty.";
    const char *price = "Call Price should not be Left Empty.";
    const char *strikes = " Sell Strike Price should be Greater than Buy Strike Price.";
    const char *premiums = "Buy Call Price should be Greater than Sell Call Price.";
    addRow(
        "bull: 1 buy strike abc", bull, "abc|5|2|60|2", strike1, stop, "Please", "Text2(3)", false);
    addRow("bull: 1 before 2", bull, "||2|60|2", strike1, stop, "Please", "Text2(3)", false);
    addRow("bull: 2 buy price", bull, "50|-1|2|60|2", price, stop, "Please", "Text2(4)", false);
    addRow("bull: 2 before 3", bull, "50|||60|2", price, stop, "Please", "Text2(4)", false);
    addRow("bull: 3 contracts", bull, "50|5||60|2", "Contracts should not be Left Empty.", stop,
        "Attention", "Text2(5)", false);
    addRow("bull: 3 before 4", bull, "50|5|0||2", "Contracts should not be Left Empty.", stop,
        "Attention", "Text2(5)", false);
    addRow("bull: 4 sell strike", bull, "50|5|2||2", "Call Strike Price should not be Left Empty.",
        stop, "Attention", "Text3(1)", false);
    addRow("bull: 4 before 5", bull, "50|5|2|abc|", "Call Strike Price should not be Left Empty.",
        stop, "Attention", "Text3(1)", false);
    addRow("bull: 5 sell price", bull, "50|5|2|60|0", price, stop, "Attention", "Text3(2)", false);
    addRow("bull: 5 before 6", bull, "50|5|2|40|", price, stop, "Attention", "Text3(2)", false);
    addRow(
        "bull: 6 equal strikes", bull, "50|5|2|50|2", strikes, info, "Attention", "Text3(1)", true);
    addRow("bull: 6 sell strike lower", bull, "50|5|2|45|2", strikes, info, "Attention", "Text3(1)",
        true);
    addRow("bull: 6 before 7", bull, "50|5|2|50|5", strikes, info, "Attention", "Text3(1)", true);
    addRow("bull: 7 equal premiums", bull, "50|5|2|60|5", premiums, info, "Attention", "Text3(2)",
        true);
    addRow("bull: 7 before 8", bull, "5|6|2|60|7", premiums, info, "Attention", "Text3(2)", true);
    addRow("bull: 8 buy price equals buy strike", bull, "5|5|2|60|2",
        "Buy Call Price should be less than Buy Strike Price.", info, "Attention", "Text2(4)",
        true);

    const char *flyStrike1 = "Strike Price1 should be not be Left Empty.";
    const char *flyPrice1 = "Call Price1 should be not Left Empty.";
    const char *flyPrice1Low = "Call Price 1 should be less than Strike Price1.";
    const char *flyStrike2 = "Strike Price2 should be not Left Empty.";
    const char *flyPrice2 = "Call Price2 should be not Left Empty.";
    const char *flyPrice3 = "Call Price3 should be not Left Empty.";
    const char *flyStrikes = "Sell Strike Price should be Greater than Buy Strike Price.";
    const char *flyPrices12 = "Call Price2 should be Less than Call Price1.";
    addRow("butterfly: 1 strike 1 abc", fly, "abc|12|1|50|6|2", flyStrike1, stop, "Attention",
        "Text6(3)", false);
    addRow("butterfly: 2 price 1", fly, "40|0|1|50|6|2", flyPrice1, stop, "Attention", "Text6(4)",
        false);
    addRow("butterfly: 2 before 3", fly, "40||0|50|6|2", flyPrice1, stop, "Attention", "Text6(4)",
        false);
    addRow("butterfly: 3 contracts", fly, "40|12| |50|6|2", "Contracts1 should be not Left Empty.",
        stop, "Attention", "Text6(5)", false);
    addRow("butterfly: 4 price 1 equals strike 1", fly, "40|40|1|50|6|2", flyPrice1Low, info,
        "Attention", "Text6(4)", true);
    addRow("butterfly: 4 before 5", fly, "40|45|1||6|2", flyPrice1Low, info, "Attention",
        "Text6(4)", true);
    addRow("butterfly: 5 strike 2", fly, "40|12|1||6|2", flyStrike2, stop, "Attention", "Text7(1)",
        false);
    addRow("butterfly: 5 before 6", fly, "40|12|1|||2", flyStrike2, stop, "Attention", "Text7(1)",
        false);
    addRow("butterfly: 6 price 2", fly, "40|12|1|50||2", flyPrice2, stop, "Attention", "Text7(2)",
        false);
    addRow("butterfly: 6 before 7", fly, "40|12|1|50|0|", flyPrice2, stop, "Attention", "Text7(2)",
        false);
    addRow("butterfly: 7 price 3", fly, "40|12|1|50|6|-2", flyPrice3, stop, "Attention", "Text8(2)",
        false);
    addRow("butterfly: 7 before 8", fly, "50|12|1|40|6|", flyPrice3, stop, "Attention", "Text8(2)",
        false);
    addRow("butterfly: 8 equal strikes", fly, "50|12|1|50|6|2", flyStrikes, stop, "Attention", "",
        false);
    addRow("butterfly: 8 before 9", fly, "50|6|1|50|6|2", flyStrikes, stop, "Attention", "", false);
    addRow("butterfly: 9 equal prices 1 and 2", fly, "40|6|1|50|6|2", flyPrices12, stop,
        "Attention", "", false);
    addRow(
        "butterfly: 9 before 10", fly, "40|6|1|50|7|8", flyPrices12, stop, "Attention", "", false);
    addRow("butterfly: 10 equal prices 2 and 3", fly, "40|12|1|50|6|6",
        "Call Price3 should be less than Call Price2.", stop, "Attention", "", false);

    const char *spreadStrike1 = "Call Strike Price1 should not be Left Empty.";
    const char *spreadStrike2 = "Call Strike Price2 should not be Left Empty.";
    const char *spreadPrice1 = "Call Price1 should not be Left Empty.";
    const char *spreadPrice2 = "Call Price2 should be not Left Empty.";
    const char *noRatio = "Ratio should not be Left Empty.";
    const char *spreadStrikes = "Call Strike Price2 should be Greater than Call Strike Price1";
    const char *spreadPrices = "Call Price2 should be Less than Call Price1";
    const char *totals = "Total Contracts 2 should be Greater than Total Contracts 1.";
    addRow("spreads: 1 strike 1", spread, "20|3|1|25|2|Text9(3)=", spreadStrike1, stop, "Attention",
        "Text9(3)", false);
    addRow("spreads: 1 before 2", spread, "20|3|1|25|2|Text9(3)=abc|Text10(1)=0", spreadStrike1,
        stop, "Attention", "Text9(3)", false);
    addRow("spreads: 2 strike 2", spread, "20|3|1|25|2|Text10(1)=0", spreadStrike2, stop,
        "Attention", "Text10(1)", false);
    addRow("spreads: 2 before 3", spread, "20|3|1|25|2|Text10(1)=|Text9(4)=0", spreadStrike2, stop,
        "Attention", "Text10(1)", false);
    addRow("spreads: 3 price 1", spread, "20|3|1|25|2|Text9(4)= ", spreadPrice1, stop, "Attention",
        "Text9(4)", false);
    addRow("spreads: 3 before 4", spread, "20|3|1|25|2|Text9(4)=|Text10(2)=", spreadPrice1, stop,
        "Attention", "Text9(4)", false);
    addRow("spreads: 4 price 2", spread, "20|3|1|25|2|Text10(2)=-1", spreadPrice2, stop,
        "Attention", "Text10(2)", false);
    addRow("spreads: 4 before 5", spread, "20|3|1|25|2|Text10(2)=|Text9(5)=", spreadPrice2, stop,
        "Attention", "Text10(2)", false);
    addRow("spreads: 5 contracts", spread,
        "20|3|1|25|2|Text9(5)=", "Contracts should not be Left Empty.", stop, "Attention",
        "Text9(5)", false);
    addRow("spreads: 6 before 7", spread, "20|3|1|25|2|cmbratioCallSpreads=-1|txtratio(1)=0",
        "Contracts1 should not be Left Empty.", stop, "Attention", "Text9(6)", false);
    addRow("spreads: 7 no ratio", spread, "20|3|1|25|2|cmbratioCallSpreads=-1", noRatio, stop,
        "Attention", "cmbratioCallSpreads", false);
    addRow("spreads: 7 before 8", spread, "20|3|1|25|2|cmbratioCallSpreads=-1|Text10(1)=20",
        noRatio, stop, "Attention", "cmbratioCallSpreads", false);
    addRow("spreads: 8 equal strikes", spread, "20|3|1|25|2|Text10(1)=20", spreadStrikes, stop,
        "Attention", "", false);
    addRow("spreads: 8 before 9", spread, "20|3|1|25|2|Text10(1)=20|Text10(2)=3", spreadStrikes,
        stop, "Attention", "", false);
    addRow("spreads: 9 equal prices", spread, "20|3|1|25|2|Text10(2)=3", spreadPrices, stop,
        "Attention", "", false);
    addRow("spreads: 9 before totals", spread, "20|3|1|25|2|Text10(2)=3|Text10(3)=1", spreadPrices,
        stop, "Attention", "", false);
    addRow("spreads: equal totals", spread, "20|3|1|25|2|Text10(3)=1", totals, stop, "Attention",
        "Text9(6)", false);
    addRow("spreads: total 2 empty", spread, "20|3|1|25|2|Text10(3)=", totals, stop, "Attention",
        "Text9(6)", false);
}

void TestChecks::checks()
{
    QFETCH(int, strategy);
    QFETCH(QString, position);
    QFETCH(QString, prompt);
    QFETCH(int, style);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    QFETCH(bool, selectAll);

    Workspace example;
    typePosition(example, strategy, QString::fromLatin1(kExample[strategy]));
    ChartMemory memory;
    ChartSurface surface;
    QCOMPARE(viewGraph(example, memory, surface).result, ChartResult::Chart);
    const SurfaceState before = stateOf(surface);

    Workspace ws;
    typePosition(ws, strategy, position);
    verifyRefusal(viewGraph(ws, memory, surface), prompt, style, title, focus, selectAll);
    QVERIFY(stateOf(surface) == before);
}

void TestChecks::noStrategyLeavesEverything()
{
    Workspace ws;
    typePosition(ws, covered, QString::fromLatin1(kExample[covered]));
    ws.setStrategy(-1);
    ChartMemory memory;
    ChartSurface surface;
    surface.moveTo(5, 6);
    const SurfaceState before = stateOf(surface);
    const ChartOutcome outcome = viewGraph(ws, memory, surface);
    QCOMPARE(outcome.result, ChartResult::None);
    QVERIFY(!outcome.refusal);
    QVERIFY(stateOf(surface) == before);
    QVERIFY(ws.text(single("txtBreak")).isEmpty());
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
