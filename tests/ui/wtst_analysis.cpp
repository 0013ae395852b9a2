// The analysis view from the main window: the same refusal as View Graph,
// refused inputs leave the chart as it was, and the tables go to the
// clipboard as tab-separated text.

#include "strategies/TableText.h"
#include "ui/AnalysisPanel.h"
#include "ui/AnalysisWindow.h"
#include "ui/MainWindow.h"
#include "ui/PlGridView.h"
#include "ui/chart/AnalysisView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
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
    void gridTabCopiesTheGrid();

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

// With the grid's tab showing, Copy gives the grid: the dates across, the
// prices down; the slider's date is a column, and a cell's tooltip has its amount.
void TestAnalysisWindow::gridTabCopiesTheGrid()
{
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    typeCoveredCall(window.workspace());
    AnalysisWindow *analysis = openAnalysis(window);
    analysis->panel()->field(QStringLiteral("days"))->setText(QStringLiteral("30"));
    QVERIFY(analysis->applyInputs());
    analysis->panel()->evaluationSlider()->setValue(11);
    analysis->tabs()->setCurrentWidget(analysis->grid());
    analysis->action(QStringLiteral("A_Copy"))->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    const QDate today = QDate::currentDate();
    const QStringList dates = lines.front().split(u'\t');
    QCOMPARE(dates.mid(0, 2), QStringList({"Price", today.toString(Qt::ISODate)}));
    QVERIFY(dates.contains(today.addDays(11).toString(Qt::ISODate)));
    QCOMPARE(dates.back(), today.addDays(30).toString(Qt::ISODate));
    const auto at25 = std::find_if(
        lines.begin(), lines.end(), [](const QString &l) { return l.startsWith(u"25.00\t"); });
    QVERIFY(at25 != lines.end());
    QVERIFY2(at25->endsWith(u"\t700.00"), qPrintable(*at25));

    const QAbstractItemModel *model = analysis->grid()->model();
    const int row = int(at25 - lines.begin()) - 1;
    QCOMPARE(model->index(row, model->columnCount() - 1).data(Qt::ToolTipRole).toString(),
        QStringLiteral("P/L at $25.00 on %1 (expiration): $700.00")
            .arg(today.addDays(30).toString(Qt::ISODate)));
    const int dateColumn = int(dates.indexOf(today.addDays(11).toString(Qt::ISODate))) - 1;
    QVERIFY(model->headerData(dateColumn, Qt::Horizontal).toString().endsWith(u"Evaluation"));
}

QTEST_MAIN(TestAnalysisWindow)
#include "wtst_analysis.moc"
