// The chart written to files and printed through QPrinter into PDF.

#include "support/ChartDialogs.h"
#include "support/SampleChart.h"
#include "ui/chart/ChartExport.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartPrinter.h"
#include "ui/chart/PngWriter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace velmora;

namespace
{

using sample::contents;
using sample::isLandscapePdf;

// The first page of a PDF as an image, when pdftoppm is at hand.
QImage rasterise(const QString &pdf, const QString &dir)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    const QString stem = dir + QStringLiteral("/page");
    QProcess::execute(tool,
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
            QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

ChartSurface sampleSurface()
{
    ChartSurface s;
    sample::drawSampleChart(s);
    return s;
}

bool hasReddish(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
                return true;
        }
    return false;
}

} // namespace

class TestChartExport : public QObject
{
    Q_OBJECT
private slots:
    void formatFromEnding_data();
    void formatFromEnding();
    void endingFromChosenType_data();
    void endingFromChosenType();
    void suggestedName();
    void pngHasScreenSizeAndColours_data();
    void pngHasScreenSizeAndColours();
    void pngWriterKeepsQtPixels_data();
    void pngWriterKeepsQtPixels();
    void svgParses();
    void pdfIsLandscapeInPrintColours();
    void badTargetGivesError_data();
    void badTargetGivesError();
    void failedExportKeepsExistingFile();
    void printToPdfIsLandscape();
    void printColoursGiveWhitePage();
    void printCopyKeepsRecord();
    void printCopyInksForegroundLines();
    void cancelledPrintDialogSaysSo();
    void previewOpensAndCloses();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestChartExport::formatFromEnding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format"); // -1: none
    QTest::newRow("png") << "chart.png" << int(ChartFileFormat::Png);
    QTest::newRow("PNG capitals") << "CHART.PNG" << int(ChartFileFormat::Png);
    QTest::newRow("svg mixed case") << "a/b/chart.Svg" << int(ChartFileFormat::Svg);
    QTest::newRow("pdf") << "chart.pdf" << int(ChartFileFormat::Pdf);
    QTest::newRow("two dots") << "chart.v2.pdf" << int(ChartFileFormat::Pdf);
    QTest::newRow("jpeg") << "chart.jpg" << -1;
    QTest::newRow("no ending") << "chart" << -1;
    QTest::newRow("ending only in folder") << "out.png/chart" << -1;
}

void TestChartExport::formatFromEnding()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    const auto found = chartFileFormat(name);
    QCOMPARE(found ? int(*found) : -1, format);
}

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

void TestChartExport::pngHasScreenSizeAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower case") << "chart.png";
    QTest::newRow("upper case") << "CHART2.PNG";
}

void TestChartExport::pngHasScreenSizeAndColours()
{
    QFETCH(QString, name);
    QCOMPARE(exportChart(sampleSurface(), path(name)), QString());
    const QImage image(path(name), "png");
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(1078, 684));
    // Screen colours; the zero line sits 2 border pixels lower than on the
    // bare surface.
    QCOMPARE(image.pixelColor(0, 0), QColor(0, 64, 64));
    QCOMPARE(image.pixelColor(700, 342), QColor(192, 0, 0));
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

void TestChartExport::svgParses()
{
    QCOMPARE(exportChart(sampleSurface(), path(QStringLiteral("chart.svg"))), QString());
    const QByteArray svg = contents(path(QStringLiteral("chart.svg")));
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 1078, 684));
    QVERIFY(svg.contains("Break Even Point"));
}

void TestChartExport::pdfIsLandscapeInPrintColours()
{
    const QString file = path(QStringLiteral("chart.pdf"));
    QCOMPARE(exportChart(sampleSurface(), file), QString());
    QVERIFY(isLandscapePdf(contents(file)));
    const QImage page = rasterise(file, m_dir.path());
    if (page.isNull())
        QSKIP("pdftoppm is not available");
    QCOMPARE(page.pixelColor(page.width() / 2, page.height() / 4), QColor(Qt::white));
    QVERIFY(hasReddish(page));
}

void TestChartExport::badTargetGivesError_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown ending") << "chart.bmp";
    QTest::newRow("missing folder, png") << "no/such/folder/chart.png";
    QTest::newRow("missing folder, svg") << "no/such/folder/chart.svg";
    QTest::newRow("missing folder, pdf") << "no/such/folder/chart.pdf";
    QTest::newRow("a folder") << "folder.png";
}

void TestChartExport::badTargetGivesError()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.png")));
    const QString file = path(name);
    const QString error = exportChart(sampleSurface(), file);
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(file), qPrintable(error));
    QVERIFY(!QFileInfo(file).isFile());
}

void TestChartExport::failedExportKeepsExistingFile()
{
    const QString file = path(QStringLiteral("kept.jpg"));
    {
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("earlier");
    }
    QVERIFY(!exportChart(sampleSurface(), file).isEmpty());
    QCOMPARE(contents(file), QByteArray("earlier"));
}

void TestChartExport::printToPdfIsLandscape()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = path(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(file);
    prepareChartPrinter(printer);
    QCOMPARE(printChart(printer, sampleSurface()), QString());
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QVERIFY(isLandscapePdf(contents(file)));
}

void TestChartExport::printColoursGiveWhitePage()
{
    ChartSurface s;
    s.setPalette(ChartPalette::print());
    sample::drawSampleChart(s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = path(QStringLiteral("white.pdf"));
    printer.setOutputFileName(file);
    QCOMPARE(printChart(printer, s), QString());
    const QImage page = rasterise(file, m_dir.path());
    if (page.isNull())
        QSKIP("pdftoppm is not available");
    for (const QPoint p : {QPoint(2, 2), QPoint(page.width() / 2, page.height() / 4),
             QPoint(page.width() - 3, page.height() - 3)})
        QCOMPARE(page.pixelColor(p), QColor(Qt::white));
    QVERIFY(hasReddish(page));
}

void TestChartExport::printCopyKeepsRecord()
{
    const ChartSurface screen = sampleSurface();
    const ChartSurface paper = inPrintColours(screen);
    QCOMPARE(paper.ops(), screen.ops());
    QCOMPARE(paper.scaleWidth(), screen.scaleWidth());
    QCOMPARE(paper.palette(), ChartPalette::print());
    QCOMPARE(screen.palette(), ChartPalette::screen());
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

void TestChartExport::cancelledPrintDialogSaysSo()
{
    sample::NextDialog canceller;
    canceller.arm(this);
    QPrinter printer(QPrinter::HighResolution);
    QVERIFY(!askChartPrinter(printer, nullptr));
    QVERIFY2(canceller.shown.contains(QLatin1String("PrintDialog")), qPrintable(canceller.shown));
}

void TestChartExport::previewOpensAndCloses()
{
    sample::NextDialog canceller;
    canceller.arm(this);
    previewChart(sampleSurface(), nullptr);
    QCOMPARE(canceller.shown, QStringLiteral("QPrintPreviewDialog"));
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
