// The View Graph request itself: dispatch, a refused request leaving the
// chart on screen as it was, a new chart replacing the old one, and
// arithmetic faults turned into a message instead of a broken chart.

#include "support/ChartProbe.h"

using namespace velmora;
using namespace velmora::probe;

namespace
{

void typeCovered(Workspace &ws, const QString &stock, const QString &shares, const QString &strike,
    const QString &call)
{
    ws.load();
    ws.setText(at("Text4", 1), stock);
    ws.setText(at("Text4", 2), shares);
    ws.setText(at("Text5", 1), strike);
    ws.setText(at("Text5", 2), call);
}

void typeRatio(Workspace &ws, const QString &stock, const QString &shares, const QString &strike,
    const QString &call)
{
    ws.load();
    ws.setStrategy(1);
    ws.setText(at("txtRatioBuy", 1), stock);
    ws.setText(at("txtRatioBuy", 2), shares);
    ws.setText(at("txtRatioSell", 1), strike);
    ws.setText(at("txtRatioSell", 2), call);
}

} // namespace

class TestViewGraph : public QObject
{
    Q_OBJECT

private slots:
    void noStrategyDoesNothing();
    void refusalLeavesThePreviousChart();
    void secondRequestReplacesTheFirst();
    void drawsOnTheSurfaceAsItIsSized();
    void faultsAreRefusedWithAMessage_data();
    void faultsAreRefusedWithAMessage();
};

void TestViewGraph::noStrategyDoesNothing()
{
    Workspace ws;
    typeCovered(ws, "20", "100", "25", "2");
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

void TestViewGraph::refusalLeavesThePreviousChart()
{
    Workspace ws;
    typeCovered(ws, "20", "100", "25", "2");
    ChartMemory memory;
    ChartSurface surface;
    QCOMPARE(viewGraph(ws, memory, surface).result, ChartResult::Chart);
    const SurfaceState before = stateOf(surface);

    ws.setText(at("Text5", 2), "20"); // fails the eighth check, after GraphBase would clear
    const ChartOutcome outcome = viewGraph(ws, memory, surface);
    QCOMPARE(outcome.result, ChartResult::Refused);
    QVERIFY(stateOf(surface) == before);
}

void TestViewGraph::secondRequestReplacesTheFirst()
{
    Workspace ws;
    typeCovered(ws, "20", "100", "25", "2");
    ChartMemory memory;
    ChartSurface surface;
    viewGraph(ws, memory, surface);

    Workspace other;
    typeRatio(other, "10", "100", "12", "1");
    QCOMPARE(viewGraph(other, memory, surface).result, ChartResult::Chart);

    ChartSurface fresh;
    ChartMemory freshMemory;
    viewGraph(other, freshMemory, fresh);
    QVERIFY(surface.ops() == fresh.ops());
    QCOMPARE(countKind(surface.ops(), ChartOp::Kind::Clear), 1);
    QCOMPARE(surface.ops().front().kind, ChartOp::Kind::Clear);
    QVERIFY(texts(surface.ops(), "(Break Even Point)").empty());
}

void TestViewGraph::drawsOnTheSurfaceAsItIsSized()
{
    // While printing the surface is narrower, borderless and black on white.
    Workspace ws;
    typeCovered(ws, "20", "100", "25", "2");
    ChartMemory memory;
    ChartSurface surface;
    surface.setOuter(
        ChartSize::OuterWidth - ChartSize::PrintNarrowing, ChartSize::OuterHeight, false);
    surface.setPalette(ChartPalette::print());
    QCOMPARE(viewGraph(ws, memory, surface).result, ChartResult::Chart);
    QCOMPARE(surface.scaleWidth(), 15670.0);
    QVERIFY(surface.palette() == ChartPalette::print());
    QCOMPARE(textAt(surface.ops(), 15670 - 1000, 10260 / 2 + 100), QStringLiteral("Stock"));
    QCOMPARE(textAt(surface.ops(), 7000, 10260 / 2 + 100), QStringLiteral(" 18 "));
}

void TestViewGraph::faultsAreRefusedWithAMessage_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QStringList>("edits");

    QTest::newRow("covered: maximum profit beyond a whole number")
        << 0 << QStringList {"Text4(1)=20", "Text4(2)=100", "Text5(1)=1e12", "Text5(2)=2"};
    QTest::newRow("covered: stock times shares overflows")
        << 0 << QStringList {"Text4(1)=1e300", "Text4(2)=1e10", "Text5(1)=2e300", "Text5(2)=1"};
    QTest::newRow("covered: tick beyond a whole number")
        << 0 << QStringList {"Text4(1)=1.99e9", "Text4(2)=100", "Text5(1)=2e9", "Text5(2)=1"};
    QTest::newRow("ratio: maximum profit overflows")
        << 1
        << QStringList {"txtRatioBuy(1)=7e307", "txtRatioBuy(2)=100", "txtRatioSell(1)=1.7e308",
               "txtRatioSell(2)=1"};
    // Finite figures that fit the chart's whole numbers, but whose printed
    // form would need an exponent ("1E+18").
    QTest::newRow("ratio: break-even and maximum profit beyond 15 digits")
        << 1
        << QStringList {"txtRatioBuy(1)=10", "txtRatioBuy(2)=100",
               "txtRatioSell(1)=10000000000000000", "txtRatioSell(2)=1"};
    QTest::newRow("bull spreads: maximum profit beyond 15 digits")
        << 2
        << QStringList {"Text2(3)=50", "Text2(4)=5", "Text2(5)=1", "Text3(1)=10000000000000000",
               "Text3(2)=2"};
    QTest::newRow("ratio call spreads: maximum profit beyond 15 digits")
        << 4
        << QStringList {"Text9(3)=20", "Text9(4)=3", "Text9(5)=1", "Text10(1)=10000000000000000",
               "Text10(2)=2"};
}

void TestViewGraph::faultsAreRefusedWithAMessage()
{
    QFETCH(int, strategy);
    QFETCH(QStringList, edits);

    Workspace ws;
    ws.load();
    ws.setStrategy(strategy);
    typeEdits(ws, edits);

    ChartMemory memory;
    ChartSurface surface;
    Workspace good;
    typeCovered(good, "20", "100", "25", "2");
    viewGraph(good, memory, surface);
    const SurfaceState before = stateOf(surface);

    verifyRefusal(viewGraph(ws, memory, surface),
        "The position's figures are too large to chart. "
        "Please check the prices, shares and contracts.",
        MsgStyle::Stop, "Attention", "", false);
    QVERIFY(stateOf(surface) == before);
    for (const ControlId &id : allTextBoxes()) {
        const QString text = ws.text(id).toLower();
        QVERIFY2(!text.contains(u"nan") && !text.contains(u"inf"), qPrintable(id.toString()));
    }
}

QTEST_GUILESS_MAIN(TestViewGraph)
#include "tst_viewgraph.moc"
