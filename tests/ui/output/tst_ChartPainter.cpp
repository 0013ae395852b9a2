// Replaying a record into images: clearing, scaling, the border and what
// lies outside the surface.

#include "chart/GraphBase.h"
#include "support/TestSupport.h"
#include "ui/output/ChartPainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace
{

const QColor kUntouched(255, 0, 255);
const QColor kScreenBackground(0, 64, 64);
const QColor kGreen(0, 128, 0);

// The surface at its screen size, one pixel for 15 twips: 1074 x 680.
QImage render(const ChartSurface &s, QSize size = QSize(1074, 680))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    paintChart(painter, s, QRectF(QPointF(0, 0), size));
    return image;
}

bool isLight(QRgb p)
{
    return qRed(p) > 180 && qGreen(p) > 180 && qBlue(p) > 180;
}

int lightPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += isLight(image.pixel(x, y)) ? 1 : 0;
    return count;
}

ChartSurface withText(const QString &text, bool bold, double x = 1500, double y = 1500)
{
    ChartSurface s;
    s.setFontBold(bold);
    s.moveTo(x, y);
    s.print(text);
    return s;
}

} // namespace

class TestChartPainter : public QObject
{
    Q_OBJECT
private slots:
    void clearErasesWhatCameBefore();
    void drawsNothingOutsideTheSurface();
    void pixelSize_data();
    void pixelSize();
    void emptyTargetPaintsNothing();
};

void TestChartPainter::clearErasesWhatCameBefore()
{
    ChartSurface s = withText(QStringLiteral("HHHH"), true);
    s.line(0, 3000, 16110, 3000, ChartColour::PayoffRed);
    s.clear();
    s.line(0, 6000, 16110, 6000, ChartColour::RuleGreen);
    const QImage image = render(s);
    QCOMPARE(lightPixels(image, QRect(100, 100, 40, 14)), 0);
    QCOMPARE(image.pixelColor(500, 200), kScreenBackground);
    QCOMPARE(image.pixelColor(500, 400), kGreen);
}

void TestChartPainter::drawsNothingOutsideTheSurface()
{
    ChartSurface s = withText(QStringLiteral("HHHHHHHHHHHHHHHH"), true, 15800, 1500);
    s.line(-3000, 6000, 30000, 6000, ChartColour::PayoffRed);
    const QImage image = render(s, QSize(1400, 680));
    const int left = (1400 - 1074) / 2;
    for (int x = 0; x < left - 1; ++x)
        QCOMPARE(image.pixelColor(x, 400), kUntouched);
    for (int x = left + 1075; x < 1400; ++x) {
        QCOMPARE(image.pixelColor(x, 400), kUntouched);
        QCOMPARE(image.pixelColor(x, 105), kUntouched);
    }
}

void TestChartPainter::pixelSize_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("bordered");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("screen") << 16110.0 << 10200.0 << true << QSize(1078, 684);
    QTest::newRow("screen surface without border")
        << 16110.0 << 10200.0 << false << QSize(1074, 680);
    QTest::newRow("printing, part pixel") << 15670.0 << 10260.0 << false << QSize(1045, 684);
    QTest::newRow("degenerate") << 0.0 << -5.0 << false << QSize(1, 1);
}

void TestChartPainter::pixelSize()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, bordered);
    ChartSurface s;
    s.setScaleSize(width, height);
    QTEST(chartPixelSize(s, bordered), "expected");
}

void TestChartPainter::emptyTargetPaintsNothing()
{
    ChartSurface s;
    drawGraphBase(s);
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    paintChart(painter, s, QRectF(5, 5, 0, 0));
    s.setScaleSize(0, 0);
    paintChart(painter, s, QRectF(0, 0, 10, 10));
    painter.end();
    QCOMPARE(image.pixelColor(5, 5), kUntouched);
}

QTEST_MAIN(TestChartPainter)
#include "tst_ChartPainter.moc"
