// Worked cases: whole charts of real positions. Each row pins the value table
// in figures and the rest of the recording (every mark, line, caption and the
// fields written back) by a digest. A row whose digest differs leaves its
// recording as <digest>.txt beside the test build, to compare with the one
// the expected digest names.

#include "support/TestSupport.h"

#include "strategies/LastDigitRule.h"

#include <QCryptographicHash>
#include <map>

using namespace velmora;
using namespace velmora::testing;

namespace
{

constexpr int covered = 0, ratio = 1, bull = 2, fly = 3, spread = 4;
const QString kRefused = QStringLiteral("refused");

// A recording and the field texts as one text, a line per operation.
QString dump(const std::vector<ChartOp> &ops, const Workspace &ws)
{
    QString out;
    for (const ChartOp &op : ops) {
        out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 \"%8\"\n")
                   .arg(int(op.kind))
                   .arg(op.x1, 0, 'g', 12)
                   .arg(op.y1, 0, 'g', 12)
                   .arg(op.x2, 0, 'g', 12)
                   .arg(op.y2, 0, 'g', 12)
                   .arg(op.colour)
                   .arg(op.bold)
                   .arg(op.text);
    }
    for (const ControlId &field : allTextBoxes()) {
        if (!ws.text(field).isEmpty())
            out += field.toString() + u'=' + ws.text(field) + u'\n';
    }
    return out;
}

// The value table: each row's texts, trimmed, left to right.
QStringList tableRows(const ChartSurface &surface)
{
    const double y0 = surface.scaleHeight() / 2;
    std::map<double, std::map<double, QString>> rows;
    for (const ChartOp &op : surface.ops()) {
        if (isText(op) && op.x1 >= 3000 && op.y1 > y0 + 3000 && op.y1 < y0 + 5000)
            rows[op.y1][op.x1] = op.text.trimmed();
    }
    QStringList out;
    for (const auto &[y, row] : rows) {
        QStringList cells;
        for (const auto &[x, text] : row)
            cells << text;
        out << cells.join(u' ');
    }
    return out;
}

// "nan" or "inf" anywhere; on the chart a number in exponent form too.
bool showsNonNumber(const QString &text, bool onChart)
{
    static const QRegularExpression field(
        QStringLiteral("nan|inf"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression chart(
        QStringLiteral("nan|inf|[0-9]E\\+"), QRegularExpression::CaseInsensitiveOption);
    return text.contains(onChart ? chart : field);
}

// "size=WxH" sizes the surface, "print" narrows it and inks it as a printer.
QString prepareSurface(ChartSurface &surface, const QString &position)
{
    QStringList parts = position.split(u'|');
    for (auto it = parts.begin(); it != parts.end();) {
        if (it->startsWith(u"size=")) {
            const QStringList size = it->mid(5).split(u'x');
            surface.setScaleSize(size[0].toDouble(), size[1].toDouble());
        } else if (*it == u"print") {
            surface.setOuter(
                ChartSize::OuterWidth - ChartSize::PrintNarrowing, ChartSize::OuterHeight, false);
            surface.setPalette(ChartPalette::print());
        } else {
            ++it;
            continue;
        }
        it = parts.erase(it);
    }
    return parts.join(u'|');
}

void verifyCase(
    int strategy, const QString &position, const QStringList &rows, const QString &digest)
{
    ChartSurface surface;
    drawSampleChart(surface); // a chart on screen before: the new one replaces it
    Workspace ws;
    typePosition(ws, strategy, prepareSurface(surface, position));
    ChartMemory memory;
    const SurfaceState before = stateOf(surface);
    const ChartOutcome outcome = viewGraph(ws, memory, surface);
    for (const ControlId &field : allTextBoxes())
        QVERIFY2(!showsNonNumber(ws.text(field), false), qPrintable(field.toString()));

    if (digest == kRefused) {
        verifyRefusal(outcome,
            "The position's figures are too large to chart. "
            "Please check the prices, shares and contracts.",
            MsgStyle::Stop, "Attention", "", false);
        QVERIFY(stateOf(surface) == before);
        return;
    }
    QCOMPARE(outcome.result, ChartResult::Chart);
    if (!rows.isEmpty())
        QCOMPARE(tableRows(surface), rows);
    QVERIFY(coordinatesFinite(surface.ops()));
    for (const ChartOp &op : surface.ops()) {
        QString shown = op.text; // typed fields are printed as they stand
        for (const ControlId &field : allTextBoxes())
            if (ws.text(field).contains(u'E'))
                shown.remove(ws.text(field));
        QVERIFY2(!showsNonNumber(shown, true), qPrintable(op.text));
    }
    const QString text = dump(surface.ops(), ws);
    const QString actual = QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    if (actual != digest) {
        QFile file(qEnvironmentVariable("VELMORA_TEST_TMP", QStringLiteral(".")) + u'/' + actual
            + QStringLiteral(".txt"));
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }
    QCOMPARE(actual, digest);
}

void addColumns()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QStringList>("rows"); // the value table, when the case is about it
    QTest::addColumn<QString>("digest"); // "refused": too large to chart, nothing drawn
}

} // namespace

class TestWorkedCases : public QObject
{
    Q_OBJECT

private slots:
    void positions_data();
    void positions();
    void faultsAndRules_data();
    void faultsAndRules();
    void lastDigitRule_data();
    void lastDigitRule();
};

void TestWorkedCases::positions_data()
{
    addColumns();
    using R = QStringList;
    addRow("covered: K 25", covered, "20|100|25|2",
        R {"10 -1000 200 -800", "15 -500 200 -300", "18 -200 200 0", "25 500 200 700",
            "30 1000 -300 700"},
        "c45983a95daa");
    addRow("covered: K 12", covered, "10|100|12|1",
        R {"7 -300 100 -200", "8 -200 100 -100", "9 -100 100 0", "12 200 100 300", "13 300 0 300"},
        "e682fb01e25e");
    addRow("covered: K exactly 20", covered, "15|200|20|1",
        R {"10 -1000 200 -800", "12 -600 200 -400", "14 -200 200 0", "20 1000 200 1200",
            "22 1400 -200 1200"},
        "c6b8c7022cc5");
    addRow("covered: K 21", covered, "15|200|21|1", R {}, "11ea8ddadc33");
    addRow("covered: drawn narrower for the printer", covered, "20|100|25|2|print",
        R {"10 -1000 200 -800", "15 -500 200 -300", "18 -200 200 0", "25 500 200 700",
            "30 1000 -300 700"},
        "98ef323df7ee");
    addRow("ratio: 4:3, break-even 47.33", ratio, "50|300|55|2|4:3",
        R {"42.33 -2301 800 -1501", "47.33 -801 800 0", "55 1500 800 2300", "78 8400 -8400 0",
            "89.5 11850 -13000 -1150"},
        "9656f5a1481e");
    addRow("ratio: break-even 8", ratio, "10|100|12|1|2:1",
        R {"4 -600 200 -400", "8 -200 200 0", "12 200 200 400", "16 600 -600 0",
            "18 800 -1000 -200"},
        "d7c0d9ca6a32");
    addRow("ratio: break-even 12.5", ratio, "14|100|15|0.75|2:1",
        R {"7.5 -650 150 -500", "12.5 -150 150 0", "15 100 150 250", "17.5 350 -350 0",
            "18.75 475 -600 -125"},
        "c4ed05bfa352");
    // Just above 10 the first row stands 5 below the break-even, not at half.
    addRow("ratio: break-even 10.5", ratio, "12.5|100|14|1|2:1", R {}, "b44e94da8c47");
    addRow("bull: debit 3", bull, "50|5|2|60|2",
        R {"50 -1000 400 -600", "53 -400 400 0", "60 1000 400 1400", "70 3000 -1600 1400"},
        "d6598823cc1d");
    addRow("bull: other figures, same geometry", bull, "12.5|3.25|7|80|0.5", R {}, "1c113967d466");
    addRow("butterfly: debit", fly, "40|12|1|50|6|2",
        R {"40 -1200 1200 -200 -200", "42 -1000 1200 -200 0", "50 -200 1200 -200 800",
            "58 600 -400 -200 0", "60 800 -800 -200 -200"},
        "f4614dc8e06f");
    addRow("butterfly: zero cost", fly, "40|12|1|50|7|2",
        R {"<40 XXX XXX XXX 0", "40 -1200 1400 -200 0", "50 -200 1400 -200 1000",
            "60 800 -600 -200 0", ">60 XXX XXX XXX 0"},
        "e3ad97937a66");
    addRow("butterfly: net credit", fly, "40|5|1|50|4|1",
        R {"<40 XXX XXX XXX 200", "40 -500 800 -100 200", "50 500 800 -100 1200",
            "60 1500 -1200 -100 200", ">60 XXX XXX XXX 200"},
        "dcbfe86c18f4");
    addRow("butterfly: net credit printed", fly, "40|5|1|50|4|1|print",
        R {"<40 XXX XXX XXX 200", "40 -500 800 -100 200", "50 500 800 -100 1200",
            "60 1500 -1200 -100 200", ">60 XXX XXX XXX 200"},
        "ee387942ccd2");
    addRow("spreads: credit 100", spread, "20|3|1|25|2",
        R {"20 -300 400 100", "25 200 400 600", "31 800 -800 0", "36 1300 -1800 -500"},
        "e898ad25fe43");
    addRow("spreads: no credit", spread, "20|4|1|25|2",
        R {"20 -400 400 0", "25 100 400 500", "30 600 -600 0", "35 1100 -1600 -500"},
        "9284da9e0a4a");
    addRow("spreads: debit 300", spread, "20|5|1|25|1",
        R {"20 -500 200 -300", "25 0 200 200", "27 200 -200 0", "32 700 -1200 -500"},
        "1173902751e6");
    addRow("spreads: 3:2 with two units", spread, "20|3|1|25|2|cmbratioCallSpreads=1|Text9(5)=2",
        R {"20 -1200 1200 0", "25 800 1200 2000", "35 4800 -4800 0", "40 6800 -7800 -1000"},
        "6b5c2c7f67c3");
}

void TestWorkedCases::positions()
{
    QFETCH(int, strategy);
    QFETCH(QString, position);
    QFETCH(QStringList, rows);
    QFETCH(QString, digest);
    verifyCase(strategy, position, rows, digest);
}

void TestWorkedCases::faultsAndRules_data()
{
    addColumns();
    using R = QStringList;
    const char *refused = "refused";
    // Ticks and their last-digit rule.
    addRow("covered: K 5, T1 equal to the strike moves to 6, P5 lowered by Q", covered,
        "4|100|5|0.8",
        R {"2 -200 80 -120", "3 -100 80 -20", "3.2 -80 80 0", "5 100 80 180", "6 200 -20 180"},
        "986b835fbd4c");
    addRow("covered: P6 16.5 lowered to 10.5", covered, "21.25|100|25|2",
        R {"6 -1525 200 -1325", "10 -1125 200 -925", "19.25 -200 200 0", "25 375 200 575",
            "30 875 -300 575"},
        "cacceae08092");
    addRow("covered: left ticks below 1 give XXX rows", covered, "1.5|100|25|1",
        R {"XXX XXX XXX XXX", "XXX XXX XXX XXX", "0.5 -100 100 0", "25 2350 100 2450",
            "30 2850 -400 2450"},
        "0a108f58b241");
    addRow("covered: left ticks not below the break-even give XXX rows", covered, "3|100|4|1",
        R {"XXX XXX XXX XXX", "XXX XXX XXX XXX", "2 -100 100 0", "4 100 100 200", "5 200 0 200"},
        "8fd16d287a96");
    addRow("covered: far left tick at 0 left out", covered, "8|100|21|2", R {}, "a8b8404ad155");
    addRow("covered: P5 lowered below 1 keeps its row", covered, "2.2|100|5|1",
        R {"0 -220 100 -120", "1 -120 100 -20", "1.2 -100 100 0", "5 280 100 380", "6 380 0 380"},
        "953ce13d7cab");
    addRow(
        "covered: strike printed unrounded", covered, "20.0049|100|25.125|2", R {}, "23ac607a923b");
    addRow("covered: break-even 0.8 reads back exactly", covered, "1.1|100|2|0.3", R {},
        "54091a36192a");
    addRow("ratio: break-even exactly 10, first row at half", ratio, "11|100|12|0.5|2:1",
        R {"5 -600 100 -500", "10 -100 100 0", "12 100 100 200", "14 300 -300 0",
            "15 400 -500 -100"},
        "a7253b372f31");
    addRow("ratio: odd width rounds the points of the line", ratio,
        "50|300|55|2|4:3|size=16111x10200",
        R {"42.33 -2301 800 -1501", "47.33 -801 800 0", "55 1500 800 2300", "78 8400 -8400 0",
            "89.5 11850 -13000 -1150"},
        "89b9828cdf91");
    addRow("ratio: strike printed as typed", ratio, "20|100|25.50|1|2:1", R {}, "c26244e3a1c4");
    addRow("bull: break-even above the sell strike", bull, "50|15|1|60|2", R {}, "607755def51f");
    addRow("bull: typed strikes stay as typed", bull, "50.00|5|2|060|2", R {}, "55dbb76b0b8a");
    addRow("butterfly: break-even 9.5 below the middle strike", fly, "9|3|1|10|1.5|0.5", R {},
        "57e8d6514c0b");
    addRow("butterfly: crossed break-evens", fly, "40|25|1|50|6|2",
        R {"40 -2500 1200 -200 -1500", "55 -1000 200 -200 -1000", "50 -1500 1200 -200 -500",
            "45 -2000 1200 -200 -1000", "60 -500 -800 -200 -1500"},
        "b618c35dbb34");
    addRow("butterfly: credit corners in single precision", fly,
        "40|5|1|50|4|1|size=16110.3x10200.5", R {}, "64bbab0e757c");
    addRow("butterfly: zero cost with 0.55, 0.30, 0.05", fly, "40|0.55|1|50|0.30|0.05", R {},
        "8330d936c90c");
    addRow("butterfly: zero cost with 0.60, 0.55, 0.50", fly, "40|0.60|1|50|0.55|0.50", R {},
        "6a9daee9fd11");
    addRow("butterfly: zero cost with 1.1, 0.7, 0.3", fly, "40|1.1|3|50|0.7|0.3", R {},
        "1fed47b57357");
    addRow("spreads: break-even 30.3 at the strike width 5.1", spread, "20.1|4|1|25.2|2", R {},
        "0eef22e90b43");
    addRow("spreads: break-even 31.3 beyond the width", spread, "20.1|3|1|25.2|2", R {},
        "52e3b0a7cf34");
    addRow("spreads: break-even 27.3 within the width", spread, "20.1|5|1|25.2|1", R {},
        "bb3dcbc366ab");
    addRow("spreads: no credit with 0.15 and 0.10", spread,
        "20|0.15|1|25|0.10|cmbratioCallSpreads=1", R {}, "52142c75d1f2");
    addRow("spreads: no credit with 0.30 and 0.20", spread,
        "20|0.30|1|25|0.20|cmbratioCallSpreads=1", R {}, "512fe33960e9");
    addRow("spreads: no credit with 0.45 and 0.30", spread,
        "20|0.45|1|25|0.30|cmbratioCallSpreads=1", R {}, "afafa7aee806");
    addRow("spreads: the list counts when New emptied the ratio boxes", spread,
        "20|3|1|25|1|txtratio(0)=|txtratio(1)=", R {}, "f75db8fac567");
    addRow("spreads: strike typed as 25.50", spread, "20|3|1|25.50|2", R {}, "f7f16eb67099");
    // Arithmetic faults: the steps that fault are skipped, or the request is refused.
    addRow(
        "butterfly: overflowing amounts skipped", fly, "40|12|1E+306|50|6|2", R {}, "2e5ba014e481");
    addRow("butterfly: amounts beyond 15 digits skipped", fly, "40|12|10000000000000000|50|6|2",
        R {}, "4baaa03c6930");
    addRow("butterfly: fault in the fifth row ends only that row", fly,
        "40|12|1|50|6|2|Text8(1)=1.7E+308", R {}, "b61210f9b3f3");
    addRow("butterfly: fault in the credit chart ends it there", fly, "40|5|1|1.5E+308|4|1", R {},
        "349fa0d102a1");
    addRow(
        "covered: maximum profit beyond a whole number", covered, "20|100|1e12|2", R {}, refused);
    addRow("covered: stock times shares overflows", covered, "1e300|1e10|2e300|1", R {}, refused);
    addRow("covered: tick beyond a whole number", covered, "1.99e9|100|2e9|1", R {}, refused);
    addRow("ratio: maximum profit overflows", ratio, "7e307|100|1.7e308|1|2:1", R {}, refused);
    addRow("ratio: break-even beyond 15 digits", ratio, "10|100|10000000000000000|1|2:1", R {},
        refused);
    addRow("bull: contracts overflow", bull, "50|5|1E+306|60|2", R {}, refused);
    addRow(
        "bull: maximum profit beyond 15 digits", bull, "50|5|1|10000000000000000|2", R {}, refused);
    addRow("spreads: contracts overflow", spread, "20|3|1|25|2|Text9(5)=1E+306", R {}, refused);
    addRow("spreads: maximum profit beyond 15 digits", spread, "20|3|1|10000000000000000|2", R {},
        refused);
}

void TestWorkedCases::faultsAndRules()
{
    positions();
}

void TestWorkedCases::lastDigitRule_data()
{
    QTest::addColumn<bool>("raise");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    for (const auto &[value, expected] : std::initializer_list<std::pair<double, double>> {
             {27, 30}, {26, 30}, {29, 30}, {31, 35}, {34, 35}, {35, 35}, {30, 30}, {1, 5}, {9, 10}})
        QTest::addRow("raised: %g", value) << true << value << expected;
    for (const auto &[value, expected] : std::initializer_list<std::pair<double, double>> {
             {15.43, 15.43}, {17.4, 15.4}, {13.2, 10.2}, {19.6, 19.6}, {16.5, 10.5}, {18.5, 10.5},
             {12.5, 10.5}, {15.5, 10.5}, {19.5, 19.5}, {4.4, 0.4}, {0.4, 0.4}})
        QTest::addRow("lowered: %g", value) << false << value << expected;
}

void TestWorkedCases::lastDigitRule()
{
    QFETCH(bool, raise);
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(raise ? raisedToFive(value) : loweredToFive(value), expected);
}

QTEST_GUILESS_MAIN(TestWorkedCases)
#include "tst_workedcases.moc"
