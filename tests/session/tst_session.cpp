// The session both programs share: where the focus goes after a refusal,
// the mode, and the value table a chart leaves behind, without any widget.

#include "support/TestSupport.h"

#include "session/PositionReports.h"
#include "session/Session.h"
#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"

#include <QTest>

using namespace velmora;
using namespace velmora::testing;

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void focusAfterRefusal_data();
    void focusAfterRefusal();
    void chartKeepsItsTableUntilLeft();
    void reportOfSavedPositions();
};

void TestSession::focusAfterRefusal_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selected");
    // Covered calls: stock 20, 100 shares, the 25 call at 2.
    const QStringList covered {"Text4(1)=20", "Text4(2)=100", "Text5(1)=25", "Text5(2)=2"};
    QTest::newRow("arrives at a filled field: selected")
        << 0 << covered + QStringList {"Text4(2)=150"} << "Text4(2)" << true;
    QTest::newRow("arrives at an empty field: nothing to select")
        << 0 << covered + QStringList {"Text4(1)="} << "Text4(1)" << false;
    QTest::newRow("too large: no field named, the focus stays")
        << 0 << covered + QStringList {"Text4(2)=100000000000000000"} << "Text1" << false;
    // Ratio Call Spreads: strikes out of order name no field; an empty
    // first price sends the focus to it.
    const QStringList spread {"Text9(3)=50", "Text9(4)=3", "Text9(5)=1", "Text10(2)=1"};
    QTest::newRow("ratio call spreads: strikes out of order")
        << 4 << spread + QStringList {"Text10(1)=40"} << "Text1" << false;
    QTest::newRow("ratio call spreads: the first price left empty")
        << 4 << spread + QStringList {"Text10(1)=60", "Text9(4)="} << "Text9(4)" << false;
}

void TestSession::focusAfterRefusal()
{
    QFETCH(int, strategy);
    QFETCH(QStringList, edits);
    QFETCH(QString, focus);
    QFETCH(bool, selected);
    Session session;
    session.workspace().setStrategy(strategy);
    typeEdits(session.workspace(), edits);
    const GraphOutcome &outcome = session.viewGraph();
    QCOMPARE(outcome.result, ChartResult::Refused);
    QVERIFY(outcome.message);
    QCOMPARE(outcome.focus, ControlId::parse(focus));
    QCOMPARE(session.focus(), ControlId::parse(focus));
    QCOMPARE(outcome.selected, selected);
    QVERIFY(!session.charted());
    QVERIFY(session.surface().ops().empty());
}

void TestSession::chartKeepsItsTableUntilLeft()
{
    Session session;
    typePosition(session.workspace(), 0, QStringLiteral("20|100|25|2"));
    // The checks alone draw nothing on show.
    QCOMPARE(session.checkPosition().result, ChartResult::Chart);
    QVERIFY(!session.charted());
    QVERIFY(session.surface().ops().empty());
    QVERIFY(session.valueTable().isEmpty());

    QCOMPARE(session.viewGraph().result, ChartResult::Chart);
    QVERIFY(session.charted());
    const QList<QStringList> table {{"XYZ at", "Stock", "Call", "Total"},
        {"Expiration($)", "Profit/Loss($)", "Profit/Loss($)", "Profit/Loss($)"},
        {"10", "-1000", "200", "-800"}, {"15", "-500", "200", "-300"}, {"18", "-200", "200", "0"},
        {"25", "500", "200", "700"}, {"30", "1000", "-300", "700"}};
    QCOMPARE(session.valueTable(), table);

    session.leaveChart();
    QVERIFY(!session.charted());
    QVERIFY(session.valueTable().isEmpty());
}

// A page per marked position in the order given; one View Graph refuses
// gets the page of its refusal, and a row deleted meanwhile its message.
void TestSession::reportOfSavedPositions()
{
    QTemporaryDir dir;
    PositionStore store(freshFile(dir));
    const auto save = [&store](const QString &name, const QStringList &edits) {
        Session session;
        typePosition(session.workspace(), 2);
        typeEdits(session.workspace(), edits);
        ScriptedMessageBoxes boxes;
        OpenSaveCommand(store, session.openSave(), boxes).save(session.workspace(), 2, name);
    };
    save(QStringLiteral("wide"), {});
    save(QStringLiteral("strikes crossed"), {"Text3(1)=30"});
    save(QStringLiteral("narrow"), {"Text3(1)=42"});
    std::vector<NameEntry> marked;
    for (const QString name : {"narrow", "strikes crossed", "wide"})
        marked.push_back({store.find(name)->id, name});
    marked.push_back({999, QStringLiteral("deleted meanwhile")});

    const InputsFor inputs = [](const Legs &) {
        AnalysisInputs in;
        in.stockPrice = 42;
        return in;
    };
    const std::vector<PositionReport> pages
        = savedReports(store, 2, marked, inputs, QDate(2026, 12, 7));
    QCOMPARE(pages.size(), std::size_t(4));
    QVERIFY(!pages[0].refusal);
    QVERIFY(pages[0].summary.contains(u"C42"));
    QCOMPARE(pages[1].refusal,
        std::optional<QString>("Sell Strike Price should be Greater than Buy Strike Price."));
    QVERIFY(!pages[2].refusal);
    QVERIFY(pages[2].summary.contains(u"C45"));
    QVERIFY(pages[3].refusal && pages[3].refusal->contains(u"deleted meanwhile"));
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
