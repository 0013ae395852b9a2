// The two programs as processes: velmora-chart's listing without a window
// and its chart through the window module beside it, and the desktop
// program's first-paint exit that the whole-process benchmark relies on.
#include "support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QTest>

using namespace velmora::testing;

namespace
{

struct Run {
    int exitCode = -1;
    QByteArray output;
};

Run run(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput()};
}

} // namespace

class TestPrograms : public QObject
{
    Q_OBJECT
private slots:
    void chartSavesListsAndDraws();
    void desktopEndsAfterFirstPaintWhenAsked();

private:
    QTemporaryDir m_dir;
};

void TestPrograms::chartSavesListsAndDraws()
{
    const QString file = freshFile(m_dir);
    QStringList position = {"--db", file, "--strategy", "2"};
    for (const auto &[field, text] : typedPosition(2))
        position << "--set" << field.toString() + u'=' + text;
    const QString png = m_dir.filePath(QStringLiteral("chart.png"));

    const Run saved = run(
        QStringLiteral(VELMORA_CHART), position + QStringList {"--save", "kept", "--out", png});
    QCOMPARE(saved.exitCode, 0);
    QCOMPARE(saved.output, QByteArray("Saved Successfully\n"));
    QCOMPARE(QImage(png).size(), QSize(1078, 684));

    const Run listed = run(QStringLiteral(VELMORA_CHART), {"--db", file, "--list", "2"});
    QCOMPARE(listed.exitCode, 0);
    QCOMPARE(listed.output, QByteArray("1\tkept\n"));
}

void TestPrograms::desktopEndsAfterFirstPaintWhenAsked()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORA_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    QCOMPARE(run(QStringLiteral(VELMORA_DESKTOP), {}, environment).exitCode, 0);
}

QTEST_GUILESS_MAIN(TestPrograms)
#include "tst_programs.moc"
