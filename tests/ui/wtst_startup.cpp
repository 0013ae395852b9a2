// Start-up: the main window paints without loading any image-format plugin
// or the libraries of paper and files, work put off until the first paint
// runs once after it, and the group frame the program's style draws itself
// looks like Fusion's own.
#include "support/TestSupport.h"
#include "ui/FirstPaint.h"
#include "ui/MainWindow.h"
#include "ui/ProgramStyle.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTest>

#include <memory>

using namespace velmora;
using namespace velmora::testing;

namespace
{

// The first of the libraries start-up should not load that is loaded.
QString loadedLibraryStartUpAvoids()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    const QByteArray loaded = maps.readAll();
    for (const char *library : {"/imageformats/", "libQt6PrintSupport", "libQt6Svg"})
        if (loaded.contains(library))
            return QString::fromLatin1(library);
    return {};
}

QImage drawn(QGroupBox &group)
{
    QImage image(group.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(255, 192, 192));
    group.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

} // namespace

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useProgramStyle(*qApp); }

    // First, before anything in this process has had a reason to load one.
    void mainWindowPaintsWithoutLoadingMore()
    {
        QCOMPARE(loadedLibraryStartUpAvoids(), QString());
        ScriptedMessageBoxes boxes;
        MainWindow window(boxes);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.grab().isNull());
        QCOMPARE(loadedLibraryStartUpAvoids(), QString());
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

    void groupFrameLooksLikeFusions_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QSize>("size");
        QTest::newRow("titled") << QStringLiteral("Buy (Stocks)") << false << QSize(240, 120);
        QTest::newRow("bold title") << QStringLiteral("Sell (Calls)") << true << QSize(300, 90);
        QTest::newRow("untitled") << QString() << false << QSize(120, 60);
        QTest::newRow("small") << QStringLiteral("x") << true << QSize(24, 30);
    }

    void groupFrameLooksLikeFusions()
    {
        const auto *style = qobject_cast<const QProxyStyle *>(QApplication::style());
        if (!style || style->baseStyle()->name().compare(u"fusion", Qt::CaseInsensitive) != 0)
            QSKIP("the platform's style is not Fusion");
        QFETCH(QString, title);
        QFETCH(bool, bold);
        QFETCH(QSize, size);
        QGroupBox ours(title);
        QFont font = ours.font();
        font.setBold(bold);
        ours.setFont(font);
        ours.resize(size);
        QGroupBox fusions(title);
        fusions.setFont(font);
        fusions.resize(size);
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
        fusions.setStyle(fusion.get());

        const QImage expected = drawn(fusions);
        const QImage actual = drawn(ours);
        QCOMPARE(actual.size(), expected.size());
        QVERIFY2(largestChannelDifference(actual, expected) <= 8,
            qPrintable(
                QStringLiteral("differs by %1").arg(largestChannelDifference(actual, expected))));
    }
};

QTEST_MAIN(StartUpTest)
#include "wtst_startup.moc"
