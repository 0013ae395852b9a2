// The chart on screen: its size follows the surface and the border, and it
// paints without a surface.

#include "chart/ChartSurface.h"
#include "ui/chart/ChartView.h"

#include <QImage>
#include <QTest>

using namespace velmora;

class TestChartView : public QObject
{
    Q_OBJECT
private slots:
    void sizeFollowsSurfaceAndBorder_data();
    void sizeFollowsSurfaceAndBorder();
    void survivesMissingSurface();
};

void TestChartView::sizeFollowsSurfaceAndBorder_data()
{
    QTest::addColumn<bool>("printing");
    QTest::addColumn<bool>("bordered");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("screen") << false << true << QSize(1078, 684);
    QTest::newRow("printing") << true << false << QSize(1045, 684);
}

void TestChartView::sizeFollowsSurfaceAndBorder()
{
    QFETCH(bool, printing);
    QFETCH(bool, bordered);
    ChartSurface s;
    ChartView view(&s);
    if (printing) {
        s.setOuter(
            ChartSize::OuterWidth - ChartSize::PrintNarrowing, ChartSize::OuterHeight, false);
        view.surfaceResized();
    }
    view.setBordered(bordered);
    QCOMPARE(view.isBordered(), bordered);
    QTEST(view.sizeHint(), "expected");
}

void TestChartView::survivesMissingSurface()
{
    ChartView view(nullptr);
    view.resize(100, 50);
    QCOMPARE(view.grab().size(), QSize(100, 50));
    QVERIFY(view.sizeHint().isValid());
}

QTEST_MAIN(TestChartView)
#include "wtst_chartview.moc"
