// A saved position comes back whole: typed, charted, saved, File > New,
// opened and charted again, it shows the same fields and the same chart.
#include "support/StoreTestSupport.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"
#include "ui/MainWindow.h"

using namespace velmora;
using namespace velmora::testing;

namespace
{

// The selected group's fields, the symbol and both ratio choices.
QStringList windowState(const Workspace &ws)
{
    QStringList state {ws.text(single("Text1")), QString::number(ws.ratioIndex()),
        QString::number(ws.ratioSpreadIndex())};
    for (const FieldSpec &spec : group(ws.strategy()).fields) {
        if (spec.kind != FieldKind::RatioList)
            state << spec.id.toString() + u'=' + ws.text(spec.id);
    }
    return state;
}

} // namespace

class TestReopen : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();

private:
    QTemporaryDir m_dir;
};

void TestReopen::roundTrip_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("ratio");
    for (const int strategy : {0, 2, 3})
        QTest::newRow(qPrintable(strategyNames().at(strategy))) << strategy << -1;
    for (const int strategy : {1, 4}) {
        for (int ratio = 0; ratio < kRatioCount; ++ratio) {
            const QString name = strategyNames().at(strategy) + u' ' + ratioNames().at(ratio);
            QTest::newRow(qPrintable(name)) << strategy << ratio;
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
    if (strategy == 1)
        ws.chooseRatio(ratio);
    if (strategy == 4)
        ws.chooseRatioSpread(ratio);
    for (const auto &[field, text] : typedPosition(strategy))
        ws.setText(field, text);
    if (strategy == 0)
        ws.setText(at("Text5", 1), QStringLiteral("55"));
    // Shares that give whole contracts at every ratio.
    if (strategy == 1)
        ws.setText(at("txtRatioBuy", 2), QString::number(100 * (ratio + 1)));
    // As typed: the chart adds only its hidden break-even.
    const QStringList fields = windowState(ws);
    window.cmdGraph_Click();
    QVERIFY2(window.chartShown(),
        qPrintable(boxes.shown().empty() ? QString() : boxes.shown().back().prompt));
    const std::vector<ChartOp> saved = window.surface().ops();

    PositionStore store(freshFile(m_dir, QString::fromLatin1(QTest::currentDataTag())));
    OpenSaveCommand command(store, window.openSaveState(), boxes);
    QVERIFY(command.save(ws, strategy, QStringLiteral("position")).done);
    window.F_Nw_Click();
    const std::vector<NameEntry> names = store.names(strategy);
    QCOMPARE(names.size(), size_t(1));
    window.applyOpenOutcome(command.open(ws, strategy, names.front()));

    QCOMPARE(windowState(ws), fields);
    const std::size_t messages = boxes.shown().size();
    window.cmdGraph_Click();
    QCOMPARE(boxes.shown().size(), messages);
    QVERIFY(window.surface().ops() == saved);
}

QTEST_MAIN(TestReopen)
#include "wtst_reopen.moc"
