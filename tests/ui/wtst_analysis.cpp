// The analysis view from the main window: the same refusal as View Graph,
// refused inputs leave the chart as it was, and the tables go to the
// clipboard as tab-separated text.

#include "strategies/TableText.h"
#include "ui/AnalysisPanel.h"
#include "ui/AnalysisWindow.h"
#include "ui/MainWindow.h"
#include "ui/chart/AnalysisView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace
{

void typeCoveredCall(Workspace &ws)
{
    ws.setStrategy(0);
    ws.setText(at("Text4", 1), QStringLiteral("20"));
    ws.setText(at("Text4", 2), QStringLiteral("100"));
    ws.setText(at("Text5", 1), QStringLiteral("25"));
    ws.setText(at("Text5", 2), QStringLiteral("2"));
}

AnalysisWindow *openAnalysis(MainWindow &window)
{
    window.action(QStringLiteral("V_Analysis"))->trigger();
    return window.findChild<AnalysisWindow *>();
}

} // namespace

class TestAnalysisWindow : public QObject
{
    Q_OBJECT
private slots:
    // The remembered inputs go to a settings folder of the test's own.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }
    void refusedLikeViewGraph();
    void badInputLeavesTheChart();
    void tablesCopyAsTabSeparated();

private:
    QTemporaryDir m_config;
};

void TestAnalysisWindow::refusedLikeViewGraph()
{
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    window.workspace().setStrategy(0);
    window.cmdGraph_Click();
    QCOMPARE(boxes.shown().size(), std::size_t(1));
    QVERIFY(!openAnalysis(window));
    QCOMPARE(boxes.shown().size(), std::size_t(2));
    QCOMPARE(boxes.shown()[1], boxes.shown()[0]);
}

void TestAnalysisWindow::badInputLeavesTheChart()
{
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    typeCoveredCall(window.workspace());
    AnalysisWindow *analysis = openAnalysis(window);
    QVERIFY(analysis);
    const std::vector<ChartOp> before = analysis->view()->surface().ops();
    QVERIFY(!before.empty());
    analysis->panel()->field(QStringLiteral("days"))->setText(QStringLiteral("-1"));
    QVERIFY(!analysis->applyInputs());
    QCOMPARE(boxes.shown().size(), std::size_t(1));
    QVERIFY(analysis->view()->surface().ops() == before);
}

void TestAnalysisWindow::tablesCopyAsTabSeparated()
{
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    typeCoveredCall(window.workspace());
    AnalysisWindow *analysis = openAnalysis(window);
    analysis->action(QStringLiteral("A_Copy"))->trigger();
    const QString figures = QGuiApplication::clipboard()->text();
    QVERIFY2(figures.contains(QStringLiteral("\nMaximum Profit\t700.00\t>= 25.00\n")),
        qPrintable(figures));

    window.cmdGraph_Click();
    window.action(QStringLiteral("E_Copy"))->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7); // two header rows and five value rows
    QCOMPARE(lines.at(4), QStringLiteral("18\t-200\t200\t0"));
}

QTEST_MAIN(TestAnalysisWindow)
#include "wtst_analysis.moc"
