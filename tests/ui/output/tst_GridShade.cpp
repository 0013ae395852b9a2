// The grid's cell colours: green for a profit, red for a loss, further from
// the plain shade the larger the amount, and their text readable on every
// shade (the guidelines' 4.5:1 contrast for normal text).

#include "ui/output/GridShade.h"

#include <QtTest>

using namespace velmora;

class TestGridShade : public QObject
{
    Q_OBJECT
private slots:
    void shades();
};

void TestGridShade::shades()
{
    const QColor flat = gridShade(0, 1000).background;
    QVERIFY(flat.red() == flat.green() && flat.green() == flat.blue());
    const auto distance = [&flat](const QColor &c) {
        return std::abs(c.red() - flat.red()) + std::abs(c.green() - flat.green())
            + std::abs(c.blue() - flat.blue());
    };
    int lastProfit = 0, lastLoss = 0;
    for (int step = 0; step <= 120; ++step) {
        const double amount = 0.01 + step * 10; // beyond the largest from 100 on
        const GridShade profit = gridShade(amount, 1000), loss = gridShade(-amount, 1000);
        QVERIFY(profit.background.green() > profit.background.red());
        QVERIFY(loss.background.red() > loss.background.green());
        QVERIFY2(contrastRatio(profit.background, profit.text) >= 4.5,
            qPrintable(QString::number(amount)));
        QVERIFY2(
            contrastRatio(loss.background, loss.text) >= 4.5, qPrintable(QString::number(amount)));
        QVERIFY(distance(profit.background) >= lastProfit && distance(loss.background) >= lastLoss);
        lastProfit = distance(profit.background);
        lastLoss = distance(loss.background);
    }
    QCOMPARE(gridShade(5000, 1000).background, gridShade(1000, 1000).background);
}

QTEST_APPLESS_MAIN(TestGridShade)
#include "tst_GridShade.moc"
