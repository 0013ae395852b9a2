// The chart written to files (the type from the name, each format, bad
// targets) and printed: the copy in print colours, and the print job's order
// of steps and its restoring on every path.

#include "support/TestSupport.h"
#include "ui/chart/ChartFileFormat.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/PrintJob.h"
#include "ui/output/ChartExport.h"
#include "ui/output/ChartPrinter.h"
#include "ui/output/PngWriter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

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

// Steps that log their names; the one named by the fault throws, "not shown",
// "cancel" and "offline" fail as a window, a user and a printer do.
struct ScriptedJob {
    QString fault;
    QStringList log;

    void step(const char *name)
    {
        log << QString::fromLatin1(name);
        if (fault == QLatin1String(name))
            throw std::runtime_error(name);
    }
    PrintJobSteps steps()
    {
        PrintJobSteps s;
        s.chartShown = [this] { return fault != u"not shown"; };
        s.preparePrintState = [this] { step("prepare"); };
        s.redraw = [this] { step("redraw"); };
        s.askPrinter = [this] {
            step("ask");
            return fault != u"cancel";
        };
        s.print = [this] {
            step("print");
            return fault == u"offline" ? QStringLiteral("printer offline") : QString();
        };
        s.restoreScreenState = [this] { step("restore"); };
        s.leaveChartMode = [this] { step("escape"); };
        return s;
    }
};

} // namespace

Q_DECLARE_METATYPE(PrintOutcome)

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
    void stepsRunInOrderAndAlwaysRestore_data();
    void stepsRunInOrderAndAlwaysRestore();
    void failingRestoreStillLeavesChartMode();

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

void TestChartExport::stepsRunInOrderAndAlwaysRestore_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<PrintOutcome>("outcome");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("error");
    const QString all = QStringLiteral("prepare redraw ask print restore escape");
    addRow("printed", "", PrintOutcome::Printed, all, "");
    addRow("chart not shown", "not shown", PrintOutcome::NotShown, "", "");
    addRow("dialog cancelled", "cancel", PrintOutcome::Cancelled,
        "prepare redraw ask restore escape", "");
    addRow("printer error", "offline", PrintOutcome::Failed, all, "printer offline");
    addRow("prepare throws", "prepare", PrintOutcome::Failed, "prepare restore escape", "prepare");
    addRow(
        "redraw throws", "redraw", PrintOutcome::Failed, "prepare redraw restore escape", "redraw");
    addRow("print throws", "print", PrintOutcome::Failed, all, "print");
}

void TestChartExport::stepsRunInOrderAndAlwaysRestore()
{
    QFETCH(QString, steps);
    ScriptedJob job;
    QFETCH(QString, fault);
    job.fault = fault;
    const PrintJobResult result = runPrintJob(job.steps());
    QTEST(result.outcome, "outcome");
    QTEST(result.error, "error");
    QCOMPARE(job.log.join(QLatin1Char(' ')), steps);
}

void TestChartExport::failingRestoreStillLeavesChartMode()
{
    ScriptedJob job;
    job.fault = QStringLiteral("restore");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, runPrintJob(job.steps()));
    QCOMPARE(
        job.log.join(QLatin1Char(' ')), QStringLiteral("prepare redraw ask print restore escape"));
}

QTEST_MAIN(TestChartExport)
#include "tst_ChartExport.moc"
