// velmora-chart's saved-position options on the real main window: --list,
// --open before the field settings, repeated --save after them, and the exit
// status of the command line in one table.
#include "support/TestSupport.h"

#include "store/DatabaseLocation.h"
#include "store/PositionStore.h"

#include "programs/cli/ChartCommand.h"
#include "ui/MainWindow.h"

#include <QComboBox>
#include <QFileInfo>
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
    void saveListOpenSaveTwice();
    void exitStatus_data();
    void exitStatus();
    void jsonHoldsTheStoreOutput_data();
    void jsonHoldsTheStoreOutput();

private:
    ChartCommandOutput run(const QStringList &arguments);

    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<MainWindow> m_window;
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
    if (listsOnly(parsed.options))
        return runListCommand(parsed.options);
    m_boxes.clear();
    m_window = std::make_unique<MainWindow>(m_boxes);
    return runChartCommand(*m_window, m_boxes, parsed.options);
}

void TestStoreCommand::saveListOpenSaveTwice()
{
    // A complete position, so that the chart is drawn as well.
    QStringList position = {"--strategy", "2"};
    for (const auto &[field, text] : typedPosition(2))
        position << "--set" << field.toString() + u'=' + text;
    ChartCommandOutput out
        = run(QStringList {"--db", m_file} + position + QStringList {"--save", "O'Neil; \"x\""});
    QCOMPARE(out.exitCode, 0);
    QVERIFY(out.standardOutput.startsWith("Saved Successfully\n"));

    out = run({"--db", m_file, "--list", "2"});
    QCOMPARE(out.exitCode, 0);
    QCOMPARE(out.standardOutput, QByteArray("1\tO'Neil; \"x\"\n"));

    out = run({"--db", m_file, "--open", "O'Neil; \"x\"", "--set", "Text2(4)=2.5", "--save",
        "O'Neil; \"x\"", "--save", "O'Neil; \"x\""});
    QCOMPARE(out.exitCode, 0);
    QCOMPARE(out.standardOutput, QByteArray("Updated Successfully\nUpdated Successfully\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("File Opened: Bull Spreads"));
    QVERIFY(!m_window->list(QStringLiteral("cmbStrategy"))->isEnabled());
    QCOMPARE(m_window->workspace().text(at("Text2", 3)), QStringLiteral("40"));

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
    QTest::newRow("name not found")
        << QStringList {"--open", "nobody"} << 1 << "nobody" << QByteArray();
    QTest::newRow("listed, then name not found") << QStringList {"--list", "0", "--open", "nobody"}
                                                 << 1 << "nobody" << QByteArray("1\tkept\n");
    QTest::newRow("missing folder") << QStringList {"--db", "/no/such/folder/CH.mdb", "--list", "0"}
                                    << 3 << "does not exist" << QByteArray();
    // The chart options: "FILE" stands for a file in a fresh folder.
    QTest::newRow("chart written") << QStringList {"--strategy", "0", "--set", "Text4(1)=20",
        "--set", "Text4(2)=100", "--set", "Text5(1)=25", "--set", "Text5(2)=2", "--out", "FILE.png"}
                                   << 0 << "" << QByteArray();
    QTest::newRow("chart refused, no file")
        << QStringList {"--strategy", "0", "--out", "FILE.svg"} << 1
        << "Stock Price should not be Left Empty." << QByteArray();
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
    QTemporaryDir dir;
    arguments.replaceInStrings(QStringLiteral("FILE"), dir.filePath(QStringLiteral("chart")));
    const ChartCommandOutput out = run(QStringList {"--db", m_file} + arguments);
    QCOMPARE(out.exitCode, exitCode);
    QVERIFY(exitCode == 0 || !out.errorLine.isEmpty());
    if (arguments.contains(u"--out"))
        QCOMPARE(QFileInfo::exists(arguments.last()), exitCode == 0);
    QVERIFY2(out.errorLine.contains(error), qPrintable(out.errorLine));
    QCOMPARE(out.standardOutput, output);
    QVERIFY(!PositionStore(m_file).nameTaken(QStringLiteral("lost")));
}

void TestStoreCommand::jsonHoldsTheStoreOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QJsonObject>("store");
    const QJsonArray listed {QJsonObject {{"key", 1}, {"name", "kept"}}};
    QTest::newRow("list and save")
        << QStringList {"--list", "0", "--save", "new"} << 0 << "none"
        << QJsonObject {{"listed", listed}, {"messages", QJsonArray {"Saved Successfully"}}};
    QTest::newRow("stopped by a name not found")
        << QStringList {"--list", "0", "--open", "nobody"} << 1 << "stopped"
        << QJsonObject {{"listed", listed}, {"messages", QJsonArray {}},
               {"error", "no saved position is named 'nobody'"}};
}

void TestStoreCommand::jsonHoldsTheStoreOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, result);
    QFETCH(QJsonObject, store);
    run({"--db", m_file, "--save", "kept"});
    const ChartCommandOutput out = run(QStringList {"--db", m_file, "--json"} + arguments);
    QCOMPARE(out.exitCode, exitCode);
    // Exactly one object on one line, nothing before or after it.
    QCOMPARE(out.standardOutput.count('\n'), 1);
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(out.standardOutput, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(report["result"].toString(), result);
    QCOMPARE(report["store"].toObject(), store);
}

QTEST_MAIN(TestStoreCommand)
#include "wtst_storecommand.moc"
