// The chart surface's record and the empty chart drawn on it.

#include "chart/ChartSurface.h"
#include "chart/GraphBase.h"

#include <QTest>

#include <algorithm>

using namespace velmora;

namespace
{

const ChartOp *findText(const ChartSurface &s, const QString &text)
{
    const auto &ops = s.ops();
    const auto it = std::find_if(ops.begin(), ops.end(),
        [&](const ChartOp &op) { return op.kind == ChartOp::Kind::Text && op.text == text; });
    return it == ops.end() ? nullptr : &*it;
}

std::vector<ChartOp> linesOf(const ChartSurface &s)
{
    std::vector<ChartOp> lines;
    std::copy_if(s.ops().begin(), s.ops().end(), std::back_inserter(lines),
        [](const ChartOp &op) { return op.kind == ChartOp::Kind::Line; });
    return lines;
}

} // namespace

class TestChartSurface : public QObject
{
    Q_OBJECT
private slots:
    void printMovesToNextLine_data();
    void printMovesToNextLine();
    void lineLeavesPositionAtItsEnd();
    void clearLeavesOnlyTheClear();
    void textKeepsBoldOfItsTime();
    void outerSizeGivesInnerSize_data();
    void outerSizeGivesInnerSize();

    void graphBase_data();
    void graphBase();
    void secondGraphBaseReplacesFirst();
};

void TestChartSurface::printMovesToNextLine_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("origin") << 0.0 << 0.0;
    QTest::newRow("inside") << 960.0 << 200.0;
    QTest::newRow("below zero line") << 4000.0 << 5200.5;
}

void TestChartSurface::printMovesToNextLine()
{
    QFETCH(double, x);
    QFETCH(double, y);
    ChartSurface s;
    s.moveTo(x, y);
    s.print(QStringLiteral("|"));
    QCOMPARE(s.currentX(), 0.0);
    QCOMPARE(s.currentY(), y + ChartSurface::kLineHeight);
    QCOMPARE(s.ops().size(), size_t(1));
    const ChartOp &op = s.ops().front();
    QCOMPARE(op.kind, ChartOp::Kind::Text);
    QCOMPARE(op.x1, x);
    QCOMPARE(op.y1, y);
    QCOMPARE(op.text, QStringLiteral("|"));
}

void TestChartSurface::lineLeavesPositionAtItsEnd()
{
    ChartSurface s;
    s.moveTo(5, 5);
    s.line(1000, 0, 1000, 10200, ChartColour::PayoffRed);
    QCOMPARE(s.currentX(), 1000.0);
    QCOMPARE(s.currentY(), 10200.0);
    QCOMPARE(s.ops().back().colour, 192);
    s.line(8500, 7500, 15500, 7500, ChartColour::RuleGreen);
    QCOMPARE(s.currentX(), 15500.0);
    QCOMPARE(s.currentY(), 7500.0);
    QCOMPARE(s.ops().back().colour, 32768);
}

void TestChartSurface::clearLeavesOnlyTheClear()
{
    ChartSurface s;
    s.moveTo(300, 400);
    s.print(QStringLiteral("Total"));
    s.line(0, 0, 10, 10, ChartColour::PayoffRed);
    s.clear();
    QCOMPARE(s.ops().size(), size_t(1));
    QCOMPARE(s.ops().front().kind, ChartOp::Kind::Clear);
    QCOMPARE(s.currentX(), 0.0);
    QCOMPARE(s.currentY(), 0.0);
}

void TestChartSurface::textKeepsBoldOfItsTime()
{
    ChartSurface s;
    s.setFontBold(true);
    s.print(QStringLiteral("Stock"));
    s.setFontBold(false);
    s.print(QStringLiteral(" 55 "));
    QVERIFY(s.ops().at(0).bold);
    QVERIFY(!s.ops().at(1).bold);
}

void TestChartSurface::outerSizeGivesInnerSize_data()
{
    QTest::addColumn<double>("outerWidth");
    QTest::addColumn<double>("outerHeight");
    QTest::addColumn<bool>("bordered");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("screen") << 16170.0 << 10260.0 << true << 16110.0 << 10200.0;
    QTest::newRow("printing") << 15670.0 << 10260.0 << false << 15670.0 << 10260.0;
}

void TestChartSurface::outerSizeGivesInnerSize()
{
    QFETCH(double, outerWidth);
    QFETCH(double, outerHeight);
    QFETCH(bool, bordered);
    ChartSurface s;
    s.setOuter(outerWidth, outerHeight, bordered);
    QTEST(s.scaleWidth(), "width");
    QTEST(s.scaleHeight(), "height");
}

void TestChartSurface::graphBase_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("screen") << 16110.0 << 10200.0;
    QTest::newRow("printing") << 15670.0 << 10260.0;
    QTest::newRow("odd height") << 12001.0 << 7777.0;
}

void TestChartSurface::graphBase()
{
    QFETCH(double, width);
    QFETCH(double, height);
    ChartSurface s;
    s.setScaleSize(width, height);
    // Bold left over from a table must not leak into the regular captions.
    s.setFontBold(true);
    drawGraphBase(s);
    const auto lines = linesOf(s);
    QCOMPARE(lines.size(), size_t(2));
    const ChartOp &price = lines.at(0);
    QCOMPARE(price.x1, 0.0);
    QCOMPARE(price.x2, width);
    QCOMPARE(price.y1, height / 2);
    QCOMPARE(price.y2, height / 2);
    QCOMPARE(price.colour, ChartColour::PayoffRed);
    const ChartOp &profit = lines.at(1);
    QCOMPARE(profit.x1, 1000.0);
    QCOMPARE(profit.x2, 1000.0);
    QCOMPARE(profit.y1, 0.0);
    QCOMPARE(profit.y2, height);
    QCOMPARE(profit.colour, ChartColour::PayoffRed);
    // The axes come last, over the captions.
    QCOMPARE(s.ops().back(), profit);
    struct Caption {
        const char *text;
        double x, y;
        bool bold;
    };
    const Caption captions[] = {
        {"Profit($)", 100, 200, true},
        {"^", 960, 200, false},
        {"Loss($)", 100, height - 300, true},
        {"Stock", width - 1000, height / 2 + 100, false},
        {"Price", width - 1000, height / 2 + 300, false},
    };
    for (const Caption &c : captions) {
        const ChartOp *op = findText(s, QString::fromLatin1(c.text));
        QVERIFY2(op, c.text);
        QCOMPARE(op->x1, c.x);
        QCOMPARE(op->y1, c.y);
        QVERIFY2(op->bold == c.bold, c.text);
    }
    QVERIFY(!s.fontBold());
}

void TestChartSurface::secondGraphBaseReplacesFirst()
{
    ChartSurface s;
    drawGraphBase(s);
    const std::vector<ChartOp> first = s.ops();
    s.moveTo(4000, 100);
    s.print(QStringLiteral("(Strike Price)"));
    drawGraphBase(s);
    QCOMPARE(s.ops(), first);
    QCOMPARE(s.ops().front().kind, ChartOp::Kind::Clear);
    QVERIFY(!findText(s, QStringLiteral("(Strike Price)")));
}

QTEST_GUILESS_MAIN(TestChartSurface)
#include "tst_ChartSurface.moc"
