// Time of one paint of a realistic chart (about 70 ops: base, markers, payoff
// line, ticks, value table, disclaimer) into a screen-sized image.

#include "support/TestSupport.h"
#include "ui/output/ChartPainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

class BenchPaint : public QObject
{
    Q_OBJECT
private slots:
    void paint_data();
    void paint();
};

void BenchPaint::paint_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QSize>("size");
    QTest::newRow("screen colours 1078x684") << false << QSize(1078, 684);
    QTest::newRow("print colours 1078x684") << true << QSize(1078, 684);
    QTest::newRow("screen colours 2156x1368") << false << QSize(2156, 1368);
}

void BenchPaint::paint()
{
    QFETCH(bool, print);
    QFETCH(QSize, size);
    ChartSurface surface;
    surface.setPalette(print ? ChartPalette::print() : ChartPalette::screen());
    drawSampleChart(surface);
    QImage image(size, QImage::Format_RGB32);
    QBENCHMARK
    {
        QPainter painter(&image);
        paintChart(painter, surface, QRectF(QPointF(0, 0), size));
    }
}

QTEST_MAIN(BenchPaint)
#include "bench_paint.moc"
