// The table Chart: listing by strategy, finding a name over the whole
// table, rows without a name, deletion in list order, all or nothing; and the field mapping: every
// strategy's position survives a save and an open, numbers are stored as their shortest text, and
// NULLs in rows written by other means are put back by the column's rule.
#include "support/TestSupport.h"

#include "store/PositionMapping.h"
#include "store/PositionStore.h"

#include "core/Catalogue.h"

#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace
{

PositionRow named(int strategy, const QString &name)
{
    PositionRow row;
    row.strategy = strategy;
    row.name = name;
    row.savedAt = QStringLiteral("2024-05-01 10:00:00");
    row.values = {{QStringLiteral("lSmb"), QStringLiteral("SYM")},
        {QStringLiteral("cts1"), QStringLiteral("2")}};
    return row;
}

QStringList namesOf(const std::vector<NameEntry> &entries)
{
    QStringList names;
    for (const NameEntry &entry : entries)
        names << entry.name;
    return names;
}

} // namespace

class TestPositionStore : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void listsOneStrategyInSavingOrder();
    void findSpansStrategies();
    void removeInListOrderAllOrNone();
    void roundTrip_data();
    void roundTrip();
    void storedText_data();
    void storedText();
    void nullColumns_data();
    void nullColumns();
    void unknownStrategyIsRefused();

private:
    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<PositionStore> m_store;
};

void TestPositionStore::init()
{
    m_store.reset(); // closed before its file is removed
    m_file = freshFile(m_dir);
    m_store = std::make_unique<PositionStore>(m_file);
}

// Rows without a name are not listed; a row reads back with its NULLs.
void TestPositionStore::listsOneStrategyInSavingOrder()
{
    const qint64 b = m_store->insert(named(2, QStringLiteral("b")));
    m_store->insert(named(0, QStringLiteral("covered")));
    PositionRow nameless = named(2, QString());
    nameless.name.reset();
    m_store->insert(nameless);
    PositionRow row = named(2, QStringLiteral("a"));
    row.values.push_back({QStringLiteral("CSYM1"), std::nullopt});
    row.values.push_back({QStringLiteral("strP1"), QStringLiteral("40")});
    const qint64 a = m_store->insert(row);
    const std::vector<NameEntry> expected = {{b, QStringLiteral("b")}, {a, QStringLiteral("a")}};
    QCOMPARE(m_store->names(2), expected);
    QCOMPARE(namesOf(m_store->names(0)), QStringList {QStringLiteral("covered")});
    QVERIFY(m_store->names(4).empty());

    const std::optional<PositionRow> back = m_store->row(a);
    QVERIFY(back);
    QCOMPARE(back->strategy, 2);
    QCOMPARE(back->savedAt, row.savedAt);
    QCOMPARE(back->value(u"lsmb"), std::optional<QString>(QStringLiteral("SYM")));
    QCOMPARE(back->value(u"strP1"), std::optional<QString>(QStringLiteral("40")));
    QCOMPARE(back->value(u"cSym1"), std::nullopt);
    // Every position column is read, the unused ones as NULL.
    QCOMPARE(back->values.size(), size_t(positionColumns().size()));
}

void TestPositionStore::findSpansStrategies()
{
    const qint64 id = m_store->insert(named(0, QStringLiteral("June")));
    m_store->insert(named(3, QStringLiteral("June")));
    const std::optional<StoredName> found = m_store->find(QStringLiteral("June"));
    QVERIFY(found);
    QCOMPARE(found->id, id);
    QCOMPARE(found->strategy, 0);
    // A row written by other means without a strategy is found as none.
    runKeyed(m_file, "INSERT INTO Chart (fName) VALUES ('no strategy')");
    QCOMPARE(m_store->find(QStringLiteral("no strategy"))->strategy, -1);
    // So is a row whose strategy is not in the list, read whole.
    runKeyed(m_file, "INSERT INTO Chart (fName, sID) VALUES ('strategy seven', 7)");
    QCOMPARE(m_store->row(m_store->find(QStringLiteral("strategy seven"))->id)->strategy, -1);
    // An earlier version kept the blanks typed after a name.
    runKeyed(m_file, "INSERT INTO Chart (fName, sID) VALUES ('August  ', 3)");
    const std::optional<StoredName> blanksAfter = m_store->find(QStringLiteral("August"));
    QVERIFY(blanksAfter);
    QCOMPARE(blanksAfter->strategy, 3);
    QCOMPARE(blanksAfter->name, QStringLiteral("August  "));
    runKeyed(m_file, "INSERT INTO Chart (fName) VALUES ('September ')");
    QCOMPARE(m_store->find(QStringLiteral("September"))->strategy, -1);
}

void TestPositionStore::removeInListOrderAllOrNone()
{
    const qint64 b = m_store->insert(named(1, QStringLiteral("b")));
    const QString file = m_store->file();
    runKeyed(file,
        "CREATE TRIGGER refuse BEFORE DELETE ON Chart WHEN old.fName = 'e' "
        "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    const qint64 d = m_store->insert(named(1, QStringLiteral("d")));
    const qint64 e = m_store->insert(named(1, QStringLiteral("e")));
    QVERIFY(!failureCause([&] { m_store->remove({b, d, e}); }).isEmpty());
    QCOMPARE(namesOf(m_store->names(1)),
        (QStringList {QStringLiteral("b"), QStringLiteral("d"), QStringLiteral("e")}));
    m_store->remove({b, d});
    QCOMPARE(namesOf(m_store->names(1)), QStringList {QStringLiteral("e")});
}

void TestPositionStore::roundTrip_data()
{
    QTest::addColumn<int>("strategy");
    for (int strategy = 0; strategy < kStrategyCount; ++strategy)
        QTest::newRow(qPrintable(strategyNames().at(strategy))) << strategy;
}

void TestPositionStore::roundTrip()
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

void TestPositionStore::storedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    addRow("trailing zero", "12.50", "12.5");
    addRow("empty", "", "0");
    addRow("text after the number", "7 lots", "7");
    addRow("leading zeros", "0100", "100");
    addRow("leading blanks", "   3.25", "3.25");
    addRow("no number", "abc", "0");
}

void TestPositionStore::storedText()
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
}

void TestPositionStore::nullColumns_data()
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
    QTest::newRow("covered price emptied") << 0 << "stoP" << at("Text4", 1) << "";
    QTest::newRow("spread strike emptied") << 4 << "strP2" << at("Text10", 1) << "";
}

void TestPositionStore::nullColumns()
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

void TestPositionStore::unknownStrategyIsRefused()
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

QTEST_GUILESS_MAIN(TestPositionStore)
#include "tst_positionstore.moc"
