// Printing, previewing and exporting the chart from the main window's menus.

#include "support/TestSupport.h"
#include "ui/MainWindow.h"
#include "ui/chart/ChartView.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace
{

struct ChartWindow {
    ScriptedMessageBoxes boxes;
    MainWindow window {boxes};
    // The chart's look on screen, as drawn.
    QColor screenWindow;
    QSize screenSize;

    void drawCoveredCalls()
    {
        Workspace &w = window.workspace();
        w.setText(single("Text1"), QStringLiteral("IBM"));
        w.setText(at("Text4", 1), QStringLiteral("50"));
        w.setText(at("Text4", 2), QStringLiteral("200"));
        w.setText(at("Text5", 1), QStringLiteral("55"));
        w.setText(at("Text5", 2), QStringLiteral("2"));
        window.cmdGraph_Click();
        screenWindow = window.palette().color(QPalette::Window);
        screenSize = view()->size();
    }
    bool enabled(const char *name) const
    {
        return window.action(QString::fromLatin1(name))->isEnabled();
    }
    ChartView *view() const { return qobject_cast<ChartView *>(window.chartWidget()); }
};

// Chart mode's commands are on exactly while the chart shows.
void checkChartCommands(const ChartWindow &c, bool on)
{
    for (const char *name : {"P_Graph", "P_Preview", "F_Export"})
        QVERIFY2(c.enabled(name) == on, name);
}

} // namespace

class TestChartPrint : public QObject
{
    Q_OBJECT
private slots:
    void printInPrintLookThenScreenLookBack_data();
    void printInPrintLookThenScreenLookBack();
    void previewLeavesTheWindowAsItIs();
    void exportToBadPlaceSaysSo();
};

void TestChartPrint::printInPrintLookThenScreenLookBack_data()
{
    QTest::addColumn<bool>("printed");
    QTest::newRow("cancelled") << false;
    QTest::newRow("printed") << true;
}

void TestChartPrint::printInPrintLookThenScreenLookBack()
{
    QFETCH(bool, printed);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    ChartWindow c;
    checkChartCommands(c, false);
    c.drawCoveredCalls();
    checkChartCommands(c, true);
    struct Seen {
        double width = 0;
        ChartPalette palette;
        bool bordered = true;
        QColor window;
        bool chartShown = false;
    } seen;
    NextDialog dialog;
    dialog.check = [&](QDialog *d) {
        seen = {c.window.surface().scaleWidth(), c.window.surface().palette(),
            c.view()->isBordered(), c.window.palette().color(QPalette::Window),
            c.window.chartShown()};
        auto *print = qobject_cast<QPrintDialog *>(d);
        QVERIFY(print);
        if (!printed)
            return d->reject();
        // The printer the dialog chose, writing into a file.
        print->printer()->setOutputFileName(pdf);
        d->done(QDialog::Accepted);
    };
    dialog.arm(this);
    c.window.P_Graph_Click();

    QCOMPARE(seen.width, 15670.0);
    QCOMPARE(seen.palette, ChartPalette::print());
    QVERIFY(!seen.bordered);
    QCOMPARE(seen.window, QColor(Qt::white));
    QVERIFY(seen.chartShown);
    QCOMPARE(isLandscapePdf(fileBytes(pdf)), printed);
    // Either way: screen look back, chart mode over, nothing said.
    QCOMPARE(c.window.surface().scaleWidth(), 16110.0);
    QCOMPARE(c.window.surface().palette(), ChartPalette::screen());
    QVERIFY(c.view()->isBordered());
    QCOMPARE(c.view()->size(), c.screenSize);
    QCOMPARE(c.window.palette().color(QPalette::Window), c.screenWindow);
    QVERIFY(!c.window.chartShown());
    checkChartCommands(c, false);
    QVERIFY(c.boxes.shown().empty());
}

// The window keeps its look while the preview is open, and chart mode goes on.
void TestChartPrint::previewLeavesTheWindowAsItIs()
{
    ChartWindow c;
    c.drawCoveredCalls();
    const std::vector<ChartOp> screenChart = c.window.surface().ops();
    const auto checkScreenLook = [&c, &screenChart] {
        QCOMPARE(c.window.surface().ops(), screenChart);
        QCOMPARE(c.window.surface().palette(), ChartPalette::screen());
        QVERIFY(c.view()->isBordered());
        QCOMPARE(c.view()->size(), c.screenSize);
        QCOMPARE(c.window.palette().color(QPalette::Window), c.screenWindow);
    };
    NextDialog dialog;
    dialog.check = [&](QDialog *d) {
        d->reject(); // closes once this returns
        checkScreenLook();
    };
    dialog.arm(this);
    c.window.P_Preview_Click();

    QCOMPARE(dialog.shown, QStringLiteral("QPrintPreviewDialog"));
    QVERIFY(c.window.chartShown());
    checkChartCommands(c, true);
    checkScreenLook();
    QVERIFY(c.boxes.shown().empty());
}

void TestChartPrint::exportToBadPlaceSaysSo()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing/chart.svg"));
    ChartWindow c;
    c.drawCoveredCalls();
    // File > Export Chart..., the file dialog answered with the file.
    NextDialog dialog;
    dialog.check = [file](QDialog *d) {
        qobject_cast<QFileDialog *>(d)->selectFile(file);
        d->done(QDialog::Accepted);
    };
    dialog.arm(this);
    c.window.F_Export_Click();
    QCOMPARE(c.boxes.shown().size(), size_t(1));
    QCOMPARE(c.boxes.shown().front().style, MsgStyle::Stop);
    QVERIFY(c.boxes.shown().front().prompt.contains(file));
}

QTEST_MAIN(TestChartPrint)
#include "wtst_chartprint.moc"
