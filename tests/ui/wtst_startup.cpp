// Start-up: the main window paints without loading QuantLib, and work put
// off until the first paint runs once after it.
#include "support/TestSupport.h"
#include "ui/FirstPaint.h"
#include "ui/MainWindow.h"
#include "ui/ProgramStyle.h"

#include <QApplication>
#include <QFile>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace
{

// QuantLib comes with the pricing module, which only an analysis before
// expiration needs.
bool quantLibLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQuantLib");
}

} // namespace

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useProgramStyle(*qApp); }

    // First, before anything in this process has had a reason to load one.
    void mainWindowPaintsWithoutPricing()
    {
        QVERIFY(!quantLibLoaded());
        ScriptedMessageBoxes boxes;
        MainWindow window(boxes);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.grab().isNull());
        QVERIFY(!quantLibLoaded());
    }

    void putOffWorkRunsOnceAfterTheFirstPaint()
    {
        QWidget window;
        QWidget child(&window);
        int runs = 0;
        afterFirstPaint(window, [&runs] { ++runs; });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        other.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0); // another window's paint does not count
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        child.repaint();
        QTRY_COMPARE(runs, 1);
        window.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(StartUpTest)
#include "wtst_startup.moc"
