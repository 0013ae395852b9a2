// velmora-chart's options and report, run in-process on a session.

#include "programs/cli/ChartCommand.h"
#include "session/Session.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace
{

const QStringList kCovered {"--strategy", "0", "--set", "Text4(1)=20", "--set", "Text4(2)=100",
    "--set", "Text5(1)=25", "--set", "Text5(2)=2"};

struct Run {
    ChartCommandOutput output;
    QJsonObject json;
};

Run run(const QStringList &arguments)
{
    const ParsedChartArguments parsed = parseChartArguments(arguments);
    Run r;
    if (!parsed.error.isEmpty()) {
        r.output.exitCode = ExitCode::Usage;
        r.output.errorLine = parsed.error;
        return r;
    }
    ScriptedMessageBoxes boxes;
    Session session;
    r.output = runChartCommand(session, boxes, parsed.options);
    r.json = QJsonDocument::fromJson(r.output.standardOutput).object();
    return r;
}

bool hasOp(const QJsonArray &ops, const QJsonObject &wanted)
{
    return std::any_of(ops.begin(), ops.end(), [&](const QJsonValue &op) { return op == wanted; });
}

} // namespace

class TestChartCommand : public QObject
{
    Q_OBJECT

private slots:
    void usageErrors_data();
    void usageErrors();
    void settingsKeepTheirOrder();
    void versionFromTheProject();
    void coveredCallsChart();
    void refusalReportsTheMessageAndFocus();
    void noStrategyDrawsNothing();
    void printColoursDrawBlackOnWhite_data();
    void printColoursDrawBlackOnWhite();
    void analysisReport();
    void analysisRefusesBadInputs();
};

void TestChartCommand::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("names"); // what the error line must name
    QTest::newRow("unknown option") << QStringList {"--colour"} << "--colour";
    QTest::newRow("stray argument") << QStringList {"chart.png"} << "chart.png";
    QTest::newRow("unknown control") << QStringList {"--set", "Text99=1"} << "Text99";
    QTest::newRow("array element out of range")
        << QStringList {"--set", "Text4(9)=1"} << "Text4(9)";
    QTest::newRow("no equals sign") << QStringList {"--set", "Text4(1)"} << "Text4(1)";
    QTest::newRow("value missing") << QStringList {"--strategy"} << "--strategy";
    QTest::newRow("strategy out of range") << QStringList {"--strategy", "5"} << "'5'";
    QTest::newRow("strategy not a number") << QStringList {"--strategy", "covered"} << "covered";
    QTest::newRow("ratio not in the list") << QStringList {"--set", "cmbRatio=5:1"} << "5:1";
    QTest::newRow("unknown file ending")
        << QStringList {"--json", "--out", "chart.gif"} << "chart.gif";
    QTest::newRow("key filter refuses") << QStringList {"--set", "Text4(1)=abc"} << "Text4(1)";
    QTest::newRow("read-only control") << QStringList {"--set", "Text5(3)=7"} << "Text5(3)";
    QTest::newRow("hidden control") << QStringList {"--set", "txtBreak=18"} << "txtBreak";
    QTest::newRow("analysis input not a number")
        << QStringList {"--analysis", "--rate", "four"} << "four";
}

void TestChartCommand::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, names);
    const ParsedChartArguments parsed = parseChartArguments(arguments);
    QVERIFY2(parsed.error.contains(names), qPrintable(parsed.error));
    QVERIFY(!parsed.error.contains(u'\n'));
}

void TestChartCommand::settingsKeepTheirOrder()
{
    const ParsedChartArguments parsed
        = parseChartArguments({"--strategy=1", "--set", "txtRatioSell(1)=25.50",
            "--set=cmbRatio=3:2", "--json", "--set", "txtRatioBuy(2)=123456789012"});
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    const ChartCommandOptions &o = parsed.options;
    QCOMPARE(o.strategy, std::optional<int>(1));
    QVERIFY(o.json);
    QCOMPARE(o.settings.size(), std::size_t(3));
    QCOMPARE(o.settings[0].control, at("txtRatioSell", 1));
    QCOMPARE(o.settings[0].text, QStringLiteral("25.50"));
    QCOMPARE(o.settings[1].control, single("cmbRatio"));
    QCOMPARE(o.settings[1].text, QStringLiteral("3:2"));
    // Cut to the field's limit, as typing stops there.
    QCOMPARE(o.settings[2].text, QStringLiteral("1234567890"));
}

void TestChartCommand::versionFromTheProject()
{
    const Run r = run({"--version"});
    QCOMPARE(r.output.exitCode, 0);
    QVERIFY(
        QRegularExpression("^velmora-chart \\d+\\.\\d+").match(r.output.standardOutput).hasMatch());
}

void TestChartCommand::coveredCallsChart()
{
    const Run r = run(kCovered + QStringList {"--json"});
    QCOMPARE(r.output.exitCode, ExitCode::Done);
    QCOMPARE(r.json["strategy"].toInt(), 0);
    QCOMPARE(r.json["result"].toString(), QStringLiteral("chart"));
    QVERIFY(!r.json.contains("message"));
    QCOMPARE(r.json["surface"].toObject()["width"].toDouble(), 16110.0);
    QCOMPARE(r.json["surface"].toObject()["height"].toDouble(), 10200.0);

    const QJsonArray ops = r.json["ops"].toArray();
    QCOMPARE(ops.first().toObject(), (QJsonObject {{"op", "clear"}}));
    QVERIFY(hasOp(ops,
        QJsonObject {{"op", "text"}, {"x", 7000}, {"y", 5200}, {"text", " 18 "}, {"bold", false}}));
    QVERIFY(hasOp(ops,
        QJsonObject {{"op", "line"}, {"x1", 8500}, {"y1", 10100}, {"x2", 15500}, {"y2", 10100},
            {"color", 32768}}));

    const QJsonObject fields = r.json["fields"].toObject();
    QCOMPARE(fields["txtBreak"].toString(), QStringLiteral("18"));
    QCOMPARE(fields["Text5(3)"].toString(), QStringLiteral("1"));
    QCOMPARE(fields["Text5(4)"].toString(), QStringLiteral("200"));
    QCOMPARE(fields["Text4(1)"].toString(), QStringLiteral("20"));
}

void TestChartCommand::refusalReportsTheMessageAndFocus()
{
    QStringList arguments = kCovered;
    arguments[5] = QStringLiteral("Text4(2)=150");
    const Run r = run(arguments + QStringList {"--json"});
    QCOMPARE(r.output.exitCode, ExitCode::Refused);
    QCOMPARE(r.json["result"].toString(), QStringLiteral("refused"));
    const QJsonObject message = r.json["message"].toObject();
    QCOMPARE(message["text"].toString(), QStringLiteral("Shares can only be Multiples of 100."));
    QCOMPARE(message["style"].toInt(), 64);
    QCOMPARE(message["title"].toString(), QStringLiteral("Attention"));
    QCOMPARE(message["focus"].toString(), QStringLiteral("Text4(2)"));
    QCOMPARE(message["selected"].toBool(), true);
    QVERIFY(r.json["ops"].toArray().isEmpty());
    QCOMPARE(r.json["fields"].toObject()["Text5(3)"].toString(), QStringLiteral("1.5"));
}

void TestChartCommand::noStrategyDrawsNothing()
{
    const Run r = run({"--strategy", "-1", "--json"});
    QCOMPARE(r.output.exitCode, ExitCode::Refused);
    QCOMPARE(r.json["strategy"].toInt(), -1);
    QCOMPARE(r.json["result"].toString(), QStringLiteral("none"));
    QVERIFY(!r.json.contains("message"));
}

void TestChartCommand::printColoursDrawBlackOnWhite_data()
{
    QTest::addColumn<bool>("printColours");
    QTest::addColumn<QColor>("background");
    QTest::newRow("screen colours") << false << QColor(0, 64, 64);
    QTest::newRow("print colours") << true << QColor(Qt::white);
}

void TestChartCommand::printColoursDrawBlackOnWhite()
{
    QFETCH(bool, printColours);
    QFETCH(QColor, background);
    QTemporaryDir dir;
    const QString file = dir.filePath("chart.png");
    // The net-credit butterfly draws its table rules in the surface's own colour.
    QStringList arguments {"--strategy", "3", "--set", "Text6(3)=40", "--set", "Text7(1)=50",
        "--set", "Text6(4)=5", "--set", "Text7(2)=4", "--set", "Text8(2)=1", "--set", "Text6(5)=1",
        "--json", "--out", file};
    if (printColours)
        arguments << "--print-colours";
    const Run r = run(arguments);
    QCOMPARE(r.output.exitCode, ExitCode::Done);
    const QImage image(file);
    QCOMPARE(image.pixelColor(image.width() - 10, 10), background);
    const QJsonObject closingRule {{"op", "line"}, {"x1", 3500}, {"y1", 5100 + 5000}, {"x2", 12500},
        {"y2", 5100 + 5000}, {"color", printColours ? 0 : 0xFFFFFF}};
    QVERIFY(hasOp(r.json.value("ops").toArray(), closingRule));
}

// Bought at 20, the 25 call sold for 2: a debit of 1800, 700 at best (at 25),
// all of the debit lost at 0, even at 18.
void TestChartCommand::analysisReport()
{
    const Run r = run(kCovered + QStringList {"--analysis", "--days", "60", "--json"});
    QCOMPARE(r.output.exitCode, ExitCode::Done);
    const QJsonObject analysis = r.json["analysis"].toObject();
    QCOMPARE(analysis["legs"].toArray().size(), 2);
    const QJsonObject f = analysis["figures"].toObject();
    QCOMPARE(f["netPremium"].toDouble(), -1800.0);
    QCOMPARE(f["maxProfit"].toDouble(), 700.0);
    QCOMPARE(f["maxLoss"].toDouble(), -1800.0);
    QCOMPARE(f["breakEvens"].toArray(), (QJsonArray {18.0}));
    const double chance = f["probabilityOfProfit"].toDouble();
    QVERIFY(chance > 0.5 && chance < 1);
    const double delta = f["greeks"].toObject()["delta"].toDouble();
    QVERIFY(delta > 0 && delta < 100); // the shares less part of the sold call
    const QJsonObject curves = analysis["curves"].toObject();
    QCOMPARE(curves["prices"].toArray().size(), 201);
    QCOMPARE(curves["today"].toArray().size(), 201);
}

void TestChartCommand::analysisRefusesBadInputs()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("analysis.png"));
    const Run r
        = run(kCovered + QStringList {"--analysis", "--volatility", "0", "--json", "--out", file});
    QCOMPARE(r.output.exitCode, ExitCode::Refused);
    QVERIFY(!r.json["analysis"].toObject()["error"].toString().isEmpty());
    QVERIFY(!QFile::exists(file));
}

QTEST_MAIN(TestChartCommand)
#include "wtst_chartcommand.moc"
