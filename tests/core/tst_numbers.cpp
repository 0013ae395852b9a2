// The number rules: reading a field, writing a derived number back, rounding
// half to even, and the printed form of chart numbers. What counts as empty
// is pinned by the chart checks, a row per check.
#include "core/Numbers.h"

#include <QTest>

#include <limits>

using namespace velmora;

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    void fieldNumber_data();
    void fieldNumber();
    void numberText_data();
    void numberText();
    void roundHalfEven_data();
    void roundHalfEven();
    void printedNumber_data();
    void printedNumber();
    void nonFiniteNeverShows();
    void wholeNumberRange();
};

void TestNumbers::fieldNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("plain") << "25" << 25.0;
    QTest::newRow("decimal") << "12.50" << 12.5;
    QTest::newRow("leading blanks") << "   7.25" << 7.25;
    QTest::newRow("trailing text") << "12abc" << 12.0;
    QTest::newRow("lots") << "7 lots" << 7.0;
    QTest::newRow("second point ends number") << "1.2.3" << 1.2;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("negative") << "-3.5" << -3.5;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("leading zeros") << "0100" << 100.0;
    QTest::newRow("exponent as written back") << "1.5E+20" << 1.5e20;
    QTest::newRow("dangling exponent") << "12e" << 12.0;
    QTest::newRow("exponent closes the text") << "5E7" << 5e7;
    QTest::newRow("negative exponent") << "2.5e-3 lots" << 0.0025;
    QTest::newRow("exponent sign without digits") << "12e+" << 12.0;
    QTest::newRow("comma is not a point") << "1,5" << 1.0;
}

void TestNumbers::fieldNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(velmora::fieldNumber(text), expected);
}

void TestNumbers::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("whole") << 250.0 << "250";
    QTest::newRow("half") << 1.5 << "1.5";
    QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "0.3";
    QTest::newRow("product noise hidden") << 1.1 * 3 << "3.3";
    QTest::newRow("small") << 0.000125 << "0.000125";
    QTest::newRow("negative") << -600.0 << "-600";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("large uses exponent") << 1.5e20 << "1.5E+20";
    QTest::newRow("third") << 1.0 / 3 << "0.333333333333333";
}

void TestNumbers::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(velmora::numberText(value), expected);
}

void TestNumbers::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.125 down to even") << 0.125 << 2 << 0.12;
    QTest::newRow("0.375 up to even") << 0.375 << 2 << 0.38;
    QTest::newRow("2.345 decimal half down") << 2.345 << 2 << 2.34;
    QTest::newRow("2.355 decimal half up") << 2.355 << 2 << 2.36;
    QTest::newRow("2.5 to 2") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 to 4") << 3.5 << 0 << 4.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0 << 0.0;
    QTest::newRow("negative half") << -2.5 << 0 << -2.0;
    QTest::newRow("more than half") << 15.43 << 0 << 15.0;
    QTest::newRow("carry") << 9.995 << 2 << 10.0;
    QTest::newRow("carry to new digit") << 99.6 << 0 << 100.0;
    QTest::newRow("below a cent") << 0.004 << 2 << 0.0;
    QTest::newRow("up to a cent") << 0.007 << 2 << 0.01;
    QTest::newRow("already round") << 27.38 << 2 << 27.38;
    QTest::newRow("whole of 27.38") << 27.38 << 0 << 27.0;
}

void TestNumbers::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(velmora::roundHalfEven(value, decimals), expected);
}

void TestNumbers::printedNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("positive") << 18.0 << " 18 ";
    QTest::newRow("zero") << 0.0 << " 0 ";
    QTest::newRow("negative zero") << -0.0 << " 0 ";
    QTest::newRow("negative") << -600.0 << "-600 ";
    QTest::newRow("decimal") << 15.5 << " 15.5 ";
}

void TestNumbers::printedNumber()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(velmora::printedNumber(value).value(), expected);
}

void TestNumbers::nonFiniteNeverShows()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QCOMPARE(velmora::numberText(inf), QString());
    QCOMPARE(velmora::numberText(nan), QString());
    QVERIFY(!velmora::printedNumber(inf));
    QVERIFY(!velmora::printedNumber(nan));
    // A huge typed number reads as the largest finite double, never infinity.
    const double huge = velmora::fieldNumber(QString(400, u'9'));
    QVERIFY(std::isfinite(huge));
    QVERIFY(huge > 1e300);
    QVERIFY(!velmora::numberText(huge).contains(u"inf", Qt::CaseInsensitive));
    QCOMPARE(velmora::fieldNumber(velmora::numberText(huge)), huge);
}

void TestNumbers::wholeNumberRange()
{
    QCOMPARE(velmora::wholeNumber(2.5).value(), 2);
    QCOMPARE(velmora::wholeNumber(-2147483648.0).value(), std::numeric_limits<int>::min());
    QCOMPARE(velmora::wholeNumber(2147483647.0).value(), std::numeric_limits<int>::max());
    QVERIFY(!velmora::wholeNumber(2147483648.0));
    QVERIFY(!velmora::wholeNumber(std::numeric_limits<double>::quiet_NaN()));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
