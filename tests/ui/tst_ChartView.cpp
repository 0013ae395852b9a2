// The on-screen chart view: its size, border and painting after changes.

#include "chart/GraphBase.h"
#include "ui/chart/ChartView.h"

#include <QImage>
#include <QTest>

using namespace velmora;

namespace
{
const QColor kScreenBackground(0, 64, 64);
const QColor kDarkRed(192, 0, 0);

QImage shot(ChartView &view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// An empty chart in a view of its own size.
struct ShownChart {
    ChartSurface surface;
    ChartView view {&surface};

    explicit ShownChart(bool bordered)
    {
        drawGraphBase(surface);
        view.setBordered(bordered);
        view.resize(view.sizeHint());
    }
};
} // namespace

class TestChartView : public QObject
{
    Q_OBJECT
private slots:
    void sizeFollowsSurfaceAndBorder_data();
    void sizeFollowsSurfaceAndBorder();
    void paintsChartInsideOptionalBorder_data();
    void paintsChartInsideOptionalBorder();
    void showsNewRecordAfterUpdate();
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

void TestChartView::paintsChartInsideOptionalBorder_data()
{
    QTest::addColumn<bool>("bordered");
    QTest::addColumn<int>("inset");
    QTest::newRow("bordered") << true << 2;
    QTest::newRow("without border") << false << 0;
}

void TestChartView::paintsChartInsideOptionalBorder()
{
    QFETCH(bool, bordered);
    QFETCH(int, inset);
    ShownChart chart(bordered);
    const QImage image = shot(chart.view);
    QCOMPARE(image.size(), QSize(1074 + 2 * inset, 680 + 2 * inset));
    QCOMPARE(image.pixelColor(0, 300) == kScreenBackground, !bordered);
    QCOMPARE(image.pixelColor(inset, 300), kScreenBackground);
    QCOMPARE(image.pixelColor(inset + 500, inset + 340), kDarkRed);
    QCOMPARE(image.pixelColor(inset + 66, inset + 500), kDarkRed);
}

void TestChartView::showsNewRecordAfterUpdate()
{
    ShownChart chart(false);
    QCOMPARE(shot(chart.view).pixelColor(500, 340), kDarkRed);
    chart.surface.setPalette(ChartPalette::print());
    chart.surface.clear();
    chart.view.update();
    const QImage image = shot(chart.view);
    QCOMPARE(image.pixelColor(500, 340), QColor(Qt::white));
    QCOMPARE(image.pixelColor(66, 500), QColor(Qt::white));
}

void TestChartView::survivesMissingSurface()
{
    ChartView view(nullptr);
    view.resize(100, 50);
    QCOMPARE(shot(view).size(), QSize(100, 50));
    QVERIFY(view.sizeHint().isValid());
}

QTEST_MAIN(TestChartView)
#include "tst_ChartView.moc"
