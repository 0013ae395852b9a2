// The print job's order of steps and its restoring on every path.

#include "support/TestSupport.h"
#include "ui/chart/PrintJob.h"

#include <QTest>

#include <stdexcept>

using namespace velmora;
using namespace velmora::testing;

namespace
{

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

class TestPrintJob : public QObject
{
    Q_OBJECT
private slots:
    void stepsRunInOrderAndAlwaysRestore_data();
    void stepsRunInOrderAndAlwaysRestore();
    void failingRestoreStillLeavesChartMode();
};

void TestPrintJob::stepsRunInOrderAndAlwaysRestore_data()
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

void TestPrintJob::stepsRunInOrderAndAlwaysRestore()
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

void TestPrintJob::failingRestoreStillLeavesChartMode()
{
    ScriptedJob job;
    job.fault = QStringLiteral("restore");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, runPrintJob(job.steps()));
    QCOMPARE(
        job.log.join(QLatin1Char(' ')), QStringLiteral("prepare redraw ask print restore escape"));
}

QTEST_MAIN(TestPrintJob)
#include "tst_PrintJob.moc"
