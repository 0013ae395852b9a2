// The print job's order of steps and its restoring on every path.

#include "chart/ChartSurface.h"
#include "ui/chart/PrintJob.h"

#include <QStringList>
#include <QTest>

#include <stdexcept>

using namespace velmora;

namespace
{

enum class Fault {
    None,
    NotShown,
    Cancel,
    PrinterError,
    ThrowInPrepare,
    ThrowInRedraw,
    ThrowInPrint
};

// Steps that log their names and fail where the test says.
struct ScriptedJob {
    Fault fault = Fault::None;
    QStringList log;

    PrintJobSteps steps()
    {
        PrintJobSteps s;
        s.chartShown = [this] { return fault != Fault::NotShown; };
        s.preparePrintState = [this] {
            log << QStringLiteral("prepare");
            if (fault == Fault::ThrowInPrepare)
                throw std::runtime_error("no window");
        };
        s.redraw = [this] {
            log << QStringLiteral("redraw");
            if (fault == Fault::ThrowInRedraw)
                throw std::runtime_error("redraw failed");
        };
        s.askPrinter = [this] {
            log << QStringLiteral("ask");
            return fault != Fault::Cancel;
        };
        s.print = [this] {
            log << QStringLiteral("print");
            if (fault == Fault::ThrowInPrint)
                throw std::runtime_error("paper jam");
            return fault == Fault::PrinterError ? QStringLiteral("printer offline") : QString();
        };
        s.restoreScreenState = [this] { log << QStringLiteral("restore"); };
        s.leaveChartMode = [this] { log << QStringLiteral("escape"); };
        return s;
    }
};

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(PrintOutcome)

class TestPrintJob : public QObject
{
    Q_OBJECT
private slots:
    void stepsRunInOrderAndAlwaysRestore_data();
    void stepsRunInOrderAndAlwaysRestore();
    void failingRestoreStillLeavesChartMode();
    void printLookAndBack();
};

void TestPrintJob::stepsRunInOrderAndAlwaysRestore_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<PrintOutcome>("outcome");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("error");
    QTest::newRow("printed") << Fault::None << PrintOutcome::Printed
                             << "prepare redraw ask print restore escape"
                             << "";
    QTest::newRow("chart not shown") << Fault::NotShown << PrintOutcome::NotShown << ""
                                     << "";
    QTest::newRow("dialog cancelled")
        << Fault::Cancel << PrintOutcome::Cancelled << "prepare redraw ask restore escape"
        << "";
    QTest::newRow("printer error")
        << Fault::PrinterError << PrintOutcome::Failed << "prepare redraw ask print restore escape"
        << "printer offline";
    QTest::newRow("prepare throws")
        << Fault::ThrowInPrepare << PrintOutcome::Failed << "prepare restore escape"
        << "no window";
    QTest::newRow("redraw throws")
        << Fault::ThrowInRedraw << PrintOutcome::Failed << "prepare redraw restore escape"
        << "redraw failed";
    QTest::newRow("print throws") << Fault::ThrowInPrint << PrintOutcome::Failed
                                  << "prepare redraw ask print restore escape"
                                  << "paper jam";
}

void TestPrintJob::stepsRunInOrderAndAlwaysRestore()
{
    QFETCH(Fault, fault);
    QFETCH(QString, steps);
    ScriptedJob job;
    job.fault = fault;
    const PrintJobResult result = runPrintJob(job.steps());
    QTEST(result.outcome, "outcome");
    QTEST(result.error, "error");
    QCOMPARE(job.log.join(QLatin1Char(' ')), steps);
}

void TestPrintJob::failingRestoreStillLeavesChartMode()
{
    ScriptedJob job;
    PrintJobSteps steps = job.steps();
    steps.restoreScreenState = [&job] {
        job.log << QStringLiteral("restore");
        throw std::runtime_error("restore failed");
    };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, runPrintJob(steps));
    QCOMPARE(
        job.log.join(QLatin1Char(' ')), QStringLiteral("prepare redraw ask print restore escape"));
}

void TestPrintJob::printLookAndBack()
{
    ChartSurface s;
    const double screenWidth = s.scaleWidth();
    const double screenHeight = s.scaleHeight();
    setPrintLook(s);
    QCOMPARE(s.scaleWidth(), 15670.0);
    QCOMPARE(s.scaleHeight(), 10260.0);
    QCOMPARE(s.palette(), ChartPalette::print());
    setScreenLook(s);
    QCOMPARE(s.scaleWidth(), screenWidth);
    QCOMPARE(s.scaleHeight(), screenHeight);
    QCOMPARE(s.palette(), ChartPalette::screen());
}

QTEST_GUILESS_MAIN(TestPrintJob)
#include "tst_PrintJob.moc"
