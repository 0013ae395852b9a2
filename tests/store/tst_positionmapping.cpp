// The field mapping: every strategy's position survives a save and an open
// into a fresh window model, numbers are stored as their shortest text, and
// NULLs in rows written by other means are put back by the column's rule.
#include "support/TestSupport.h"

#include "store/PositionMapping.h"
#include "store/PositionStore.h"

#include "core/Catalogue.h"

#include <QTest>

using namespace velmora;
using namespace velmora::testing;

class TestPositionMapping : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void storedText_data();
    void storedText();
    void nullColumns_data();
    void nullColumns();
    void unknownStrategyIsRefused();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PositionStore> m_store;
};

void TestPositionMapping::initTestCase()
{
    m_store = std::make_unique<PositionStore>(m_dir.filePath(QStringLiteral("CH.mdb")));
}

void TestPositionMapping::roundTrip_data()
{
    QTest::addColumn<int>("strategy");
    for (int strategy = 0; strategy < kStrategyCount; ++strategy)
        QTest::newRow(qPrintable(strategyNames().at(strategy))) << strategy;
}

void TestPositionMapping::roundTrip()
{
    QFETCH(int, strategy);
    Workspace typed;
    typePosition(typed, strategy);
    const qint64 id = m_store->insert(
        rowFromWorkspace(typed, strategy, QStringLiteral("round trip %1").arg(strategy)));

    // Open into a window that shows another strategy, as after a start.
    Workspace opened;
    opened.load();
    QVERIFY(loadRow(*m_store->row(id), opened));
    QCOMPARE(opened.strategy(), strategy);
    QCOMPARE(opened.ratioIndex(), typed.ratioIndex());
    QCOMPARE(opened.ratioSpreadIndex(), typed.ratioSpreadIndex());
    // Every box of the group, derived ones included, and the symbol above.
    QCOMPARE(opened.text(single("Text1")), typed.text(single("Text1")));
    for (const FieldSpec &field : group(strategy).fields) {
        if (field.kind == FieldKind::RatioList)
            continue;
        QVERIFY2(!typed.text(field.id).isEmpty() || field.kind == FieldKind::Hidden,
            qPrintable(field.id.toString()));
        QCOMPARE(opened.text(field.id), typed.text(field.id));
    }
}

void TestPositionMapping::storedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("trailing zero") << "12.50"
                                   << "12.5";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("text after the number") << "7 lots"
                                           << "7";
    QTest::newRow("leading zeros") << "0100"
                                   << "100";
    QTest::newRow("leading blanks") << "   3.25"
                                    << "3.25";
    QTest::newRow("no number") << "abc"
                               << "0";
}

void TestPositionMapping::storedText()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Workspace workspace;
    typePosition(workspace, 2);
    workspace.setText(at("Text2", 3), typed);
    workspace.setText(at("Text2", 2), QStringLiteral("  acb  "));
    const qint64 id = m_store->insert(rowFromWorkspace(workspace, 2, QStringLiteral("stored")));
    const PositionRow row = *m_store->row(id);
    QCOMPARE(row.value(u"strP1"), std::optional<QString>(stored));
    QCOMPARE(row.value(u"cSym1"), std::optional<QString>(QStringLiteral("acb")));

    Workspace opened;
    opened.load();
    loadRow(row, opened);
    QCOMPARE(opened.text(at("Text2", 3)), stored);
    m_store->remove({id});
}

void TestPositionMapping::nullColumns_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QString>("column");
    QTest::addColumn<ControlId>("field");
    QTest::addColumn<QString>("shown");
    // Guarded symbols keep what the field held; the others show an empty field.
    QTest::newRow("bull symbol guarded") << 2 << "lSmb" << at("Text2", 0) << "OLD";
    QTest::newRow("bull call symbol guarded") << 2 << "cSym1" << at("Text2", 2) << "OLD";
    QTest::newRow("butterfly third symbol guarded") << 3 << "cSym3" << at("Text8", 0) << "OLD";
    QTest::newRow("covered symbol emptied") << 0 << "lSmb" << at("Text4", 0) << "";
    QTest::newRow("covered call symbol emptied") << 0 << "rSmb" << at("Text5", 0) << "";
    QTest::newRow("covered price emptied") << 0 << "stoP" << at("Text4", 1) << "";
    QTest::newRow("spread symbol emptied") << 4 << "lSmb" << at("Text9", 0) << "";
    QTest::newRow("spread strike emptied") << 4 << "strP2" << at("Text10", 1) << "";
}

void TestPositionMapping::nullColumns()
{
    QFETCH(int, strategy);
    QFETCH(QString, column);
    QFETCH(ControlId, field);
    QFETCH(QString, shown);
    Workspace typed;
    typePosition(typed, strategy);
    PositionRow row = rowFromWorkspace(typed, strategy, QStringLiteral("nulls"));
    for (ColumnValue &value : row.values) {
        if (value.column == column)
            value.value.reset();
    }
    Workspace opened;
    opened.load();
    opened.setStrategy(strategy);
    opened.setText(field, QStringLiteral("OLD"));
    QVERIFY(loadRow(row, opened));
    QCOMPARE(opened.text(field), shown);
}

void TestPositionMapping::unknownStrategyIsRefused()
{
    Workspace workspace;
    workspace.load();
    workspace.setText(at("Text4", 1), QStringLiteral("10"));
    PositionRow row;
    row.strategy = -1;
    QVERIFY(!loadRow(row, workspace));
    QCOMPARE(workspace.strategy(), 0);
    QCOMPARE(workspace.text(at("Text4", 1)), QStringLiteral("10"));
}

QTEST_GUILESS_MAIN(TestPositionMapping)
#include "tst_positionmapping.moc"
