// The chart surface's record and the empty chart drawn on it.

#include "chart/ChartSurface.h"

#include <QTest>

using namespace velmora;

class TestChartSurface : public QObject
{
    Q_OBJECT
private slots:
    void printMovesToNextLine();
    void clearLeavesOnlyTheClear();
    void outerSizeGivesInnerSize_data();
    void outerSizeGivesInnerSize();
};

void TestChartSurface::printMovesToNextLine()
{
    ChartSurface s;
    s.moveTo(4000, 5200.5);
    s.print(QStringLiteral("|"));
    QCOMPARE(s.currentX(), 0.0);
    QCOMPARE(s.currentY(), 5200.5 + ChartSurface::kLineHeight);
    QCOMPARE(s.ops().size(), size_t(1));
    const ChartOp &op = s.ops().front();
    QCOMPARE(op.kind, ChartOp::Kind::Text);
    QCOMPARE(op.x1, 4000.0);
    QCOMPARE(op.y1, 5200.5);
    QCOMPARE(op.text, QStringLiteral("|"));
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

QTEST_GUILESS_MAIN(TestChartSurface)
#include "tst_ChartSurface.moc"
