// The chart written to files (the type from the name, each format, bad
// targets) and its copy in print colours for a page.

#include "support/TestSupport.h"
#include "ui/output/ChartExport.h"
#include "ui/output/ChartFileFormat.h"
#include "ui/output/ChartPage.h"
#include "ui/output/ChartPainter.h"
#include "ui/output/PngWriter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace
{

ChartSurface sampleSurface()
{
    ChartSurface s;
    drawSampleChart(s);
    return s;
}

} // namespace

class TestChartExport : public QObject
{
    Q_OBJECT
private slots:
    void endingFromChosenType_data();
    void endingFromChosenType();
    void suggestedName();
    void writesTheChosenFile_data();
    void writesTheChosenFile();
    void pngWriterKeepsQtPixels_data();
    void pngWriterKeepsQtPixels();
    void printCopyInksForegroundLines();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestChartExport::endingFromChosenType_data()
{
    const QStringList filters = chartFileFilter().split(QStringLiteral(";;"));
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");
    QTest::newRow("png chosen") << "chart" << filters.value(0) << "chart.png";
    QTest::newRow("svg chosen") << "a/chart" << filters.value(1) << "a/chart.svg";
    QTest::newRow("pdf chosen") << "chart" << filters.value(2) << "chart.pdf";
    QTest::newRow("typed ending wins") << "chart.PDF" << filters.value(1) << "chart.PDF";
    QTest::newRow("other ending kept") << "chart.v2" << filters.value(0) << "chart.v2.png";
    QTest::newRow("dot in folder") << "out.svg/chart" << filters.value(2) << "out.svg/chart.pdf";
    QTest::newRow("unknown filter") << "chart"
                                    << "All files (*)"
                                    << "chart";
}

void TestChartExport::endingFromChosenType()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, name);
    QCOMPARE(chartFileName(typed, filter), name);
}

void TestChartExport::writesTheChosenFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start"); // empty: refused with the name in the error
    QTest::newRow("png") << "chart.png" << QByteArray("\x89PNG");
    QTest::newRow("png capitals") << "CHART.PNG" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "chart.svg" << QByteArray("<?xml");
    QTest::newRow("svg mixed case") << "chart.Svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "chart.pdf" << QByteArray("%PDF");
    QTest::newRow("two dots") << "chart.v2.pdf" << QByteArray("%PDF");
    QTest::newRow("unknown ending") << "chart.bmp" << QByteArray();
    QTest::newRow("no ending") << "chart" << QByteArray();
    QTest::newRow("ending only in folder") << "folder.png/chart" << QByteArray();
    QTest::newRow("missing folder, png") << "no/such/folder/chart.png" << QByteArray();
    QTest::newRow("missing folder, svg") << "no/such/folder/chart.svg" << QByteArray();
    QTest::newRow("missing folder, pdf") << "no/such/folder/chart.pdf" << QByteArray();
    QTest::newRow("a folder") << "folder.png" << QByteArray();
    QTest::newRow("existing file kept") << "kept.jpg" << QByteArray();
}

void TestChartExport::pngWriterKeepsQtPixels_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QSize>("size");
    QTest::newRow("screen colours") << false << QSize(1078, 684);
    QTest::newRow("print colours") << true << QSize(1078, 684);
    QTest::newRow("odd size") << false << QSize(301, 7);
}

// The same pixels as Qt's own PNG writer, in no more bytes.
void TestChartExport::pngWriterKeepsQtPixels()
{
    QFETCH(bool, print);
    QFETCH(QSize, size);
    ChartSurface surface = sampleSurface();
    if (print)
        surface.setPalette(ChartPalette::print());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colourOf(surface.palette().background));
    {
        QPainter painter(&image);
        paintChart(painter, surface, QRectF(QPointF(0, 0), size));
    }
    QByteArray ours;
    QBuffer oursDevice(&ours);
    QVERIFY(oursDevice.open(QIODevice::WriteOnly));
    QCOMPARE(writePngImage(image, oursDevice), QString());
    QByteArray qts;
    QBuffer qtDevice(&qts);
    QVERIFY(qtDevice.open(QIODevice::WriteOnly));
    QVERIFY(QImageWriter(&qtDevice, "png").write(image));

    const QImage fromOurs = QImage::fromData(ours, "png").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(fromOurs, QImage::fromData(qts, "png").convertToFormat(QImage::Format_RGB32));
    QCOMPARE(fromOurs, image);
    QVERIFY2(ours.size() <= qts.size(), qPrintable(QString::number(ours.size())));
}

void TestChartExport::writesTheChosenFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.png")));
    const QString file = path(name);
    writeBytes(path(QStringLiteral("kept.jpg")), "earlier");
    const QString error = exportChart(sampleSurface(), file);
    if (start.isEmpty()) {
        QVERIFY2(error.contains(file), qPrintable(error));
        QVERIFY(!QFileInfo(file).isFile() || fileBytes(file) == "earlier");
        return;
    }
    QCOMPARE(error, QString());
    const QByteArray bytes = fileBytes(file);
    QVERIFY(bytes.startsWith(start));
    if (start == "%PDF")
        QVERIFY(isLandscapePdf(bytes));
    if (start == "<?xml")
        QCOMPARE(QSvgRenderer(bytes).viewBoxF(), QRectF(0, 0, 1078, 684));
    if (start == "\x89PNG")
        QCOMPARE(QImage::fromData(bytes).size(), QSize(1078, 684));
}

void TestChartExport::printCopyInksForegroundLines()
{
    // Rules drawn in the surface's own colour must not vanish white on white.
    ChartSurface screen;
    screen.clear();
    screen.line(0, 10, 100, 10, screen.palette().foreground);
    screen.line(0, 20, 100, 20, ChartColour::PayoffRed);
    screen.line(0, 30, 100, 30, ChartColour::RuleGreen);
    screen.moveTo(5, 5);
    screen.print(QStringLiteral("Total"));
    const ChartSurface paper = inPrintColours(screen);
    QCOMPARE(paper.ops().size(), screen.ops().size());
    QCOMPARE(paper.ops()[1].colour, ChartColour::Black);
    QCOMPARE(paper.ops()[2].colour, ChartColour::PayoffRed);
    QCOMPARE(paper.ops()[3].colour, ChartColour::RuleGreen);
    QCOMPARE(paper.ops()[4], screen.ops()[4]);
}

void TestChartExport::suggestedName()
{
    const QString strategy = QStringLiteral("Covered Calls");
    QCOMPARE(suggestedChartFile(QStringLiteral("IBM"), strategy), "IBM Covered Calls.pdf");
    QCOMPARE(suggestedChartFile(QStringLiteral("  "), strategy), "Covered Calls.pdf");
    QCOMPARE(suggestedChartFile(QStringLiteral("BRK/B:X"), strategy), "BRKBX Covered Calls.pdf");
}

QTEST_MAIN(TestChartExport)
#include "tst_ChartExport.moc"
