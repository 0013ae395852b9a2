// A saved position comes back whole: typed, charted, saved, File > New,
// opened and charted again, it shows the same fields and the same chart.
#include "support/TestSupport.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"
#include "ui/MainWindow.h"

using namespace velmora;
using namespace velmora::testing;

class TestReopen : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();

private:
    QTemporaryDir m_dir;
};

// The symbol, both ratio choices and the fields of the selected group.
static QStringList windowState(const Workspace &ws)
{
    QStringList state {ws.text(single("Text1")), QString::number(ws.ratioIndex()),
        QString::number(ws.ratioSpreadIndex())};
    for (const FieldSpec &field : group(ws.strategy()).fields)
        state << ws.text(field.id);
    return state;
}

void TestReopen::roundTrip_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("ratio");
    for (int strategy = 0; strategy < kStrategyCount; ++strategy) {
        const bool ratios = strategy == 1 || strategy == 4;
        for (int ratio = 0; ratio < (ratios ? kRatioCount : 1); ++ratio) {
            const QString entry = ratios ? u' ' + ratioNames().at(ratio) : QString();
            QTest::newRow(qPrintable(strategyNames().at(strategy) + entry)) << strategy << ratio;
        }
    }
}

void TestReopen::roundTrip()
{
    QFETCH(int, strategy);
    QFETCH(int, ratio);
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    Workspace &ws = window.workspace();
    ws.setStrategy(strategy);
    ws.chooseRatio(ratio);
    ws.chooseRatioSpread(ratio);
    for (const auto &[field, text] : typedPosition(strategy))
        ws.setText(field, text);
    // A strike above the stock, and shares that give whole contracts at every ratio.
    ws.setText(at("Text5", 1), QStringLiteral("55"));
    ws.setText(at("txtRatioBuy", 2), QString::number(100 * (ratio + 1)));
    const QStringList fields = windowState(ws); // the chart adds only its hidden break-even
    window.cmdGraph_Click();
    QVERIFY(window.chartShown());
    const std::vector<ChartOp> saved = window.surface().ops();

    PositionStore store(freshFile(m_dir, QString::fromLatin1(QTest::currentDataTag())));
    OpenSaveCommand command(store, window.openSaveState(), boxes);
    QVERIFY(command.save(ws, strategy, QStringLiteral("position")).done);
    window.F_Nw_Click();
    window.applyOpenOutcome(command.open(ws, strategy, store.names(strategy).at(0)));

    QCOMPARE(windowState(ws), fields);
    window.cmdGraph_Click();
    QVERIFY(window.chartShown()); // New left chart mode: a refusal would not come back to it
    QVERIFY(window.surface().ops() == saved);
}

QTEST_MAIN(TestReopen)
#include "wtst_reopen.moc"
