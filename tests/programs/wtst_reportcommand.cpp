// velmora-chart --report, run in-process on a session: the page
// of a worked case holds, as text a reader can select, every figure the
// analysis window shows; several saved positions give one page each, a
// refused one a page with View Graph's message; a file that cannot be
// written is refused before any work.

#include "support/TestSupport.h"

#include "programs/cli/ChartCommand.h"
#include "session/Session.h"
#include "strategies/AnalysisChart.h"
#include "strategies/PositionGrid.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace
{

const QStringList kCovered {"--strategy", "0", "--set", "Text1=IBM", "--set", "Text4(1)=20",
    "--set", "Text4(2)=100", "--set", "Text5(1)=25", "--set", "Text5(2)=2"};

ChartCommandOutput run(const QStringList &arguments)
{
    const ParsedChartArguments parsed = parseChartArguments(arguments);
    if (!parsed.error.isEmpty())
        return {ExitCode::Usage, {}, parsed.error};
    ScriptedMessageBoxes boxes;
    Session session;
    return runChartCommand(session, boxes, parsed.options);
}

// A poppler tool's output, its runs of blanks made one.
QString tool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput())
        .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

} // namespace

class TestReportCommand : public QObject
{
    Q_OBJECT
private slots:
    void workedCaseHoldsEveryFigure();
    void onePagePerPositionAndRefusals();
    void unwritableFileRefusedFirst();

private:
    QTemporaryDir m_dir;
};

void TestReportCommand::workedCaseHoldsEveryFigure()
{
    const QString file = m_dir.filePath(QStringLiteral("ibm.pdf"));
    const ChartCommandOutput output = run(kCovered + QStringList {"--report", file});
    QCOMPARE(output.exitCode, ExitCode::Done);

    const Legs legs {Leg::stock(100, 20), Leg::calls(-1, 25, 2)};
    AnalysisInputs in;
    in.stockPrice = 20;
    const PositionAnalysis analysis = analysePosition(legs, in);
    QStringList shown {QStringLiteral("IBM Covered Calls"),
        QStringLiteral("Written ") + QDate::currentDate().toString(Qt::ISODate),
        volatilityText(analysis.volatilities[1].used), QStringLiteral("rate 4 %"),
        QStringLiteral("30 days to expiration")};
    for (const QStringList &row : figureRows(analysis))
        shown << row;
    const PositionGrid grid = positionGrid(legs, analysis.volatilities, analysis.figures, in);
    for (const auto &row : grid.pl)
        for (double amount : row)
            shown << currencyText(amount, 2);
    const QString text = tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, "-"});
    for (const QString &figure : shown)
        if (!figure.isEmpty())
            QVERIFY2(text.contains(figure), qPrintable(figure));

    const QString info = tool(QStringLiteral("pdfinfo"), {file});
    QVERIFY2(info.contains(QStringLiteral("Pages: 1 ")), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
    const QStringList fonts = tool(QStringLiteral("pdffonts"), {file}).split(u' ');
    QVERIFY(fonts.contains(QStringLiteral("yes")));
    QVERIFY2(!tool(QStringLiteral("pdffonts"), {file}).contains(QStringLiteral(" no no ")),
        "every font is embedded");
}

void TestReportCommand::onePagePerPositionAndRefusals()
{
    const QString db = m_dir.filePath(QStringLiteral("three.mdb"));
    const QStringList inDb {"--db", db};
    QCOMPARE(run(inDb + kCovered + QStringList {"--save", "b ibm"}).exitCode, ExitCode::Done);
    QStringList refusedOne = kCovered;
    refusedOne.replace(refusedOne.indexOf(QStringLiteral("Text5(1)=25")), "Text5(1)=");
    // Saved, then refused by View Graph.
    QCOMPARE(run(inDb + refusedOne + QStringList {"--save", "a bad"}).exitCode, ExitCode::Refused);
    QCOMPARE(run(inDb + kCovered + QStringList {"--set", "Text1=XYZ", "--save", "c xyz"}).exitCode,
        ExitCode::Done);
    const QString refusal = QJsonDocument::fromJson(run(refusedOne << "--json").standardOutput)
                                .object()
                                .value("message")
                                .toObject()
                                .value("text")
                                .toString()
                                .simplified();
    QVERIFY(!refusal.isEmpty());

    const QString file = m_dir.filePath(QStringLiteral("three.pdf"));
    const ChartCommandOutput output = run(inDb + QStringList {"--report", file, "--open-all", "0"});
    QCOMPARE(output.exitCode, ExitCode::Refused);
    QCOMPARE(output.errorLine, QStringLiteral("refused, a page says why: a bad"));
    QVERIFY(tool(QStringLiteral("pdfinfo"), {file}).contains(QStringLiteral("Pages: 3 ")));
    const QString first = tool(QStringLiteral("pdftotext"), {"-l", "1", file, "-"});
    QVERIFY2(first.contains(refusal), qPrintable(first));
    QVERIFY(
        tool(QStringLiteral("pdftotext"), {"-f", "3", file, "-"}).contains("XYZ Covered Calls"));

    // In the order given.
    QCOMPARE(
        run(inDb + QStringList {"--report", file, "--open", "c xyz", "--open", "b ibm"}).exitCode,
        ExitCode::Done);
    QVERIFY(
        tool(QStringLiteral("pdftotext"), {"-l", "1", file, "-"}).contains("XYZ Covered Calls"));
}

void TestReportCommand::unwritableFileRefusedFirst()
{
    const ChartCommandOutput output = run(kCovered
        + QStringList {"--report", m_dir.filePath(QStringLiteral("missing/folder/report.pdf"))});
    QCOMPARE(output.exitCode, ExitCode::Unusable);
    QVERIFY2(output.errorLine.startsWith(QStringLiteral("cannot write the report")),
        qPrintable(output.errorLine));
    QCOMPARE(run({"--report", "x.pdf", "--open", "a", "--open", "b", "--save", "c"}).exitCode,
        ExitCode::Usage);
    QCOMPARE(run({"--open", "a", "--open", "b"}).exitCode, ExitCode::Usage);
}

QTEST_MAIN(TestReportCommand)
#include "wtst_reportcommand.moc"
