// The View Graph request itself: dispatch, a refused request leaving the
// chart on screen as it was, a new chart replacing the old one, and
// arithmetic faults turned into a message instead of a broken chart.

#include "strategies/ChartProbe.h"

#include "app/Workspace.h"
#include "strategies/ChartRequest.h"

#include <QtTest>

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

// Everything of the surface a request could change.
struct SurfaceState {
    std::vector<ChartOp> ops;
    double x, y, width, height;
    bool bold;
    ChartPalette palette;
    friend bool operator==(const SurfaceState &, const SurfaceState &) = default;
};

SurfaceState stateOf(const ChartSurface &s)
{
    return {s.ops(), s.currentX(), s.currentY(), s.scaleWidth(), s.scaleHeight(), s.fontBold(),
        s.palette()};
}

} // namespace

class TestViewGraph : public QObject
{
    Q_OBJECT

private slots:
    void noStrategyDoesNothing();
    void refusalLeavesThePreviousChart();
    void secondRequestReplacesTheFirst();
    void sameFieldsGiveTheSamePicture();
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

void TestViewGraph::sameFieldsGiveTheSamePicture()
{
    Workspace ws;
    typeCovered(ws, "20", "100", "25", "2");
    ChartMemory memory;
    ChartSurface surface;
    viewGraph(ws, memory, surface);
    const std::vector<ChartOp> first = surface.ops();
    viewGraph(ws, memory, surface);
    QVERIFY(surface.ops() == first);
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
    QTest::addColumn<QStringList>("fields"); // stock, shares, strike, call

    QTest::newRow("covered: maximum profit beyond a whole number")
        << 0 << QStringList {"20", "100", "1e12", "2"};
    QTest::newRow("covered: stock times shares overflows")
        << 0 << QStringList {"1e300", "1e10", "2e300", "1"};
    QTest::newRow("covered: tick beyond a whole number")
        << 0 << QStringList {"1.99e9", "100", "2e9", "1"};
    QTest::newRow("ratio: maximum profit overflows")
        << 1 << QStringList {"7e307", "100", "1.7e308", "1"};
}

void TestViewGraph::faultsAreRefusedWithAMessage()
{
    QFETCH(int, strategy);
    QFETCH(QStringList, fields);

    Workspace ws;
    if (strategy == 0)
        typeCovered(ws, fields[0], fields[1], fields[2], fields[3]);
    else
        typeRatio(ws, fields[0], fields[1], fields[2], fields[3]);

    ChartMemory memory;
    ChartSurface surface;
    Workspace good;
    typeCovered(good, "20", "100", "25", "2");
    viewGraph(good, memory, surface);
    const SurfaceState before = stateOf(surface);

    const ChartOutcome outcome = viewGraph(ws, memory, surface);
    QCOMPARE(outcome.result, ChartResult::Refused);
    QVERIFY(outcome.refusal);
    const Refusal &r = *outcome.refusal;
    QCOMPARE(r.message.style, MsgStyle::Stop);
    QCOMPARE(r.message.title, QStringLiteral("Attention"));
    QVERIFY(!r.message.prompt.isEmpty());
    QVERIFY(!r.focus);
    QVERIFY(!r.selectAll);
    QVERIFY(stateOf(surface) == before);
    for (const ControlId &id : allTextBoxes()) {
        const QString text = ws.text(id).toLower();
        QVERIFY2(!text.contains(u"nan") && !text.contains(u"inf"), qPrintable(id.toString()));
    }
}

QTEST_GUILESS_MAIN(TestViewGraph)
#include "tst_viewgraph.moc"
