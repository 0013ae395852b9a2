// velmora-chart's saved-position options on a session: --open
// before the field settings, repeated --save after them, and the exit status
// and output of the command line (--list among them) in one table.
#include "support/TestSupport.h"

#include "store/DatabaseLocation.h"
#include "store/PositionStore.h"

#include "programs/cli/ChartCommand.h"
#include "session/Session.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

class TestStoreCommand : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanupTestCase();
    void saveOpenSaveTwice();
    void exitStatus_data();
    void exitStatus();
    void jsonHoldsTheStoreOutput();
    void openedPositionIsCharted_data();
    void openedPositionIsCharted();

private:
    ChartCommandOutput run(const QStringList &arguments);

    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<Session> m_session;
    ScriptedMessageBoxes m_boxes;
};

void TestStoreCommand::init()
{
    m_file = freshFile(m_dir);
}

void TestStoreCommand::cleanupTestCase()
{
    setDatabasePath(QString());
}

ChartCommandOutput TestStoreCommand::run(const QStringList &arguments)
{
    const ParsedChartArguments parsed = parseChartArguments(arguments);
    if (!parsed.error.isEmpty())
        return {ExitCode::Usage, {}, parsed.error};
    m_boxes.clear();
    m_session = std::make_unique<Session>();
    return runChartCommand(*m_session, m_boxes, parsed.options);
}

void TestStoreCommand::saveOpenSaveTwice()
{
    // A complete position, so that the chart is drawn as well.
    QStringList position = {"--strategy", "2"};
    for (const auto &[field, text] : typedPosition(2))
        position << "--set" << field.toString() + u'=' + text;
    ChartCommandOutput out
        = run(QStringList {"--db", m_file} + position + QStringList {"--save", "O'Neil; \"x\""});
    QCOMPARE(out.exitCode, 0);
    QVERIFY(out.standardOutput.startsWith("Saved Successfully\n"));

    out = run({"--db", m_file, "--open", "O'Neil; \"x\"", "--set", "Text2(4)=2.5", "--save",
        "O'Neil; \"x\"", "--save", "O'Neil; \"x\""});
    QCOMPARE(out.exitCode, 0);
    QCOMPARE(out.standardOutput, QByteArray("Updated Successfully\nUpdated Successfully\n"));
    QCOMPARE(m_session->openSave().OpSvName, QStringLiteral("O'Neil; \"x\""));
    QCOMPARE(m_session->openSave().OpSvMode, OpenSaveState::Opened);

    const PositionStore store(m_file);
    QCOMPARE(store.names(2).size(), size_t(1));
    QCOMPARE(store.row(store.names(2).front().id)->value(u"cp1"), std::optional<QString>("2.5"));
}

void TestStoreCommand::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("name in use") << QStringList {"--save", "kept"} << 1 << "File Already Exist."
                                 << QByteArray();
    QTest::newRow("blank name") << QStringList {"--save", "  "} << 1
                                << "Blank File Name cannot be Saved." << QByteArray();
    QTest::newRow("no strategy") << QStringList {"--strategy", "-1", "--save", "lost"} << 1
                                 << "No strategy is selected" << QByteArray();
    QTest::newRow("name trimmed as Save does")
        << QStringList {"--open", "  kept  "} << 0 << "" << QByteArray();
    // Names as earlier versions stored them: one line each, found trimmed.
    QTest::newRow("earlier names listed escaped") << QStringList {
        "--list", "1"} << 0 << "" << QByteArray("2\ttwo\\nlines\n3\tC:\\\\temp\\tx  \n");
    QTest::newRow("earlier name with blanks after")
        << QStringList {"--open", "C:\\temp\tx"} << 0 << "" << QByteArray();
    QTest::newRow("name not found")
        << QStringList {"--open", "nobody"} << 1 << "nobody" << QByteArray();
    QTest::newRow("listed, then name not found") << QStringList {"--list", "0", "--open", "nobody"}
                                                 << 1 << "nobody" << QByteArray("1\tkept\n");
    QTest::newRow("missing folder") << QStringList {"--db", "/no/such/folder/CH.mdb", "--list", "0"}
                                    << 3 << "does not exist" << QByteArray();
    for (const QStringList &bad : {QStringList {"--list", "5"}, QStringList {"--list", "two"},
             QStringList {"--open", "a", "--open", "b"}, QStringList {"--save"}})
        QTest::addRow("usage: %s", qPrintable(bad.join(u' '))) << bad << 2 << "" << QByteArray();
}

void TestStoreCommand::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QFETCH(QByteArray, output);
    run({"--db", m_file, "--save", "kept"});
    for (const char *earlier : {"two\nlines", "C:\\temp\tx  "})
        PositionStore(m_file).insert(PositionRow {0, 1, QString::fromLatin1(earlier), {}, {}});
    const ChartCommandOutput out = run(QStringList {"--db", m_file} + arguments);
    QVERIFY2(out.exitCode == exitCode, qPrintable(out.errorLine));
    QVERIFY(exitCode == 0 || !out.errorLine.isEmpty());
    QVERIFY2(out.errorLine.contains(error), qPrintable(out.errorLine));
    QCOMPARE(out.standardOutput, output);
    QVERIFY(!PositionStore(m_file).find(QStringLiteral("lost")));
}

void TestStoreCommand::jsonHoldsTheStoreOutput()
{
    run({"--db", m_file, "--save", "kept"});
    const ChartCommandOutput out
        = run({"--db", m_file, "--json", "--list", "0", "--open", "nobody"});
    QCOMPARE(out.exitCode, 1);
    // Exactly one object on one line, nothing before or after it.
    QCOMPARE(out.standardOutput.count('\n'), 1);
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(out.standardOutput, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(report["result"].toString(), QStringLiteral("stopped"));
    const QJsonObject store {{"listed", QJsonArray {QJsonObject {{"key", 1}, {"name", "kept"}}}},
        {"messages", QJsonArray {}}, {"error", "no saved position is named 'nobody'"}};
    QCOMPARE(report["store"].toObject(), store);
}

// Opening with --json, --analysis or --out charts the opened position; an
// analysis asked of no position is refused.
void TestStoreCommand::openedPositionIsCharted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("analysed");
    QTest::newRow("json") << QStringList {"--open", "bull", "--json"} << 0 << "chart" << false;
    QTest::newRow("analysis") << QStringList {"--open", "bull", "--analysis", "--json"} << 0
                              << "chart" << true;
    QTest::newRow("listing only") << QStringList {"--list", "2", "--json"} << 0 << "none" << false;
    QTest::newRow("analysis of no position")
        << QStringList {"--list", "2", "--analysis", "--json"} << 1 << "none" << false;
}

void TestStoreCommand::openedPositionIsCharted()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, result);
    QFETCH(bool, analysed);
    QStringList position = {"--db", m_file, "--strategy", "2"};
    for (const auto &[field, text] : typedPosition(2))
        position << "--set" << field.toString() + u'=' + text;
    QCOMPARE(run(position + QStringList {"--save", "bull"}).exitCode, 0);

    const ChartCommandOutput out = run(QStringList {"--db", m_file} + arguments);
    QCOMPARE(out.exitCode, exitCode);
    QCOMPARE(exitCode == 0, out.errorLine.isEmpty());
    const QJsonObject report = QJsonDocument::fromJson(out.standardOutput).object();
    QCOMPARE(report["result"].toString(), result);
    QCOMPARE(report.contains("analysis"), analysed);
    QCOMPARE(report["ops"].toArray().isEmpty(), result != u"chart");
}

QTEST_MAIN(TestStoreCommand)
#include "wtst_storecommand.moc"
