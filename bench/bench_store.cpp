// Time of the store's operations on a file with 100,000 saved positions:
// opening a file (the first time in a run, when SQLCipher derives its key,
// and again on the run's kept connection), the quick check of its pages, the
// Open/Save window opened again, listing one strategy, the name-clash test
// (the first of a run reads every stored name's look), a save that replaces
// a row, and opening a position into the window model. Each figure is the minimum and
// the median of its runs: a mean hides the spread a shared machine adds.
// `bench_store --write FILE` only writes such a file.

#include "store/PositionMapping.h"
#include "store/PositionStore.h"
#include "ui/store/OpenSaveDialog.h"

#include "core/Workspace.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

using namespace velmora;

namespace
{

constexpr int kRows = 100000;

void fill(const QString &file)
{
    PositionStore(file).insert(PositionRow {0, 0, QStringLiteral("first"), {}, {}});
    Database db(file);
    Transaction transaction(db);
    Statement insert = db.prepare("INSERT INTO Chart (sID, fName, cTime, lSmb, cSym1, cSym2, "
                                  "strP1, strP2, cp1, cp2, cts1, cts2) "
                                  "VALUES (?1, ?2, '2024-05-01 10:00:00', 'SYM', 'A', 'B', "
                                  "'40', '45', '3', '1.25', '4', '4')");
    for (int i = 0; i < kRows; ++i) {
        insert.bind(1, qint64(i % 5)).bind(2, QStringLiteral("position %1").arg(i));
        insert.step();
        insert.reset();
    }
    transaction.commit();
}

double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Wall time and this thread's CPU time: on a machine shared with other work
// the wall time also holds the waits for a core.
void measure(const char *what, int repeats, const std::function<void(int)> &run)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    QElapsedTimer timer;
    for (int i = 0; i < repeats; ++i) {
        const double cpuStart = threadCpuMs();
        timer.start();
        run(i);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-52s wall min %8.3f median %8.3f | cpu min %8.3f median %8.3f ms (%d runs)\n",
        what, wall.front(), wall[wall.size() / 2], cpu.front(), cpu[cpu.size() / 2], repeats);
}

} // namespace

int main(int argc, char *argv[])
{
    // --write FILE: only build the file, for the whole-process benchmark.
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        QCoreApplication core(argc, argv);
        fill(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("CH.mdb"));
    QElapsedTimer timer;
    timer.start();
    fill(file);
    std::printf("%d positions written in %.0f ms\n", kRows, double(timer.elapsed()));

    // Files written without opening them afterwards: their keys are not known yet.
    QStringList unopened;
    for (int i = 0; i < 10; ++i) {
        unopened << dir.filePath(QStringLiteral("small%1.mdb").arg(i));
        PositionStore(unopened.back()).insert(PositionRow {0, 0, QStringLiteral("one"), {}, {}});
    }
    measure("open a file the first time in the run", 10,
        [&](int i) { PositionStore(unopened[i]).names(0); });
    const auto kept = PositionStore::Connection::Kept;
    PositionStore(file, kept).names(0);
    measure("open the file again in the same run", 10, [&](int) { PositionStore(file, kept); });
    const PositionStore checked(file);
    measure("quick check of every page", 10, [&](int) { checked.checkPages(); });
    {
        // A file of a hundred positions, and this one.
        const QString small = dir.filePath(QStringLiteral("hundred.mdb"));
        for (int i = 0; i < 100; ++i)
            PositionStore(small).insert(
                PositionRow {0, i % 5, QStringLiteral("p%1").arg(i), {}, {}});
        Workspace workspace;
        workspace.load();
        workspace.setStrategy(2);
        OpenSaveState state;
        ScriptedMessageBoxes boxes;
        measure("Open/Save window opened again, 100 positions", 10,
            [&](int) { OpenSaveDialog(small, workspace, state, boxes).setOpenMode(); });
        measure("Open/Save window opened again (20,000 names)", 10,
            [&](int) { OpenSaveDialog(file, workspace, state, boxes).setOpenMode(); });
    }
    measure("first save of a run (page check, every name's look)", 5, [&](int i) {
        PositionStore(file).saveUnlessTaken(QStringLiteral("first %1").arg(i), std::nullopt,
            PositionRow {0, 1, QStringLiteral("first %1").arg(i), {}, {}});
    });
    PositionStore store(file, kept);
    size_t listed = 0;
    measure("list one strategy (20,000 names)", 20,
        [&](int i) { listed += store.names(i % 5).size(); });
    bool taken = false;
    measure("look-alike test in a save (name taken)", 2000, [&](int i) {
        const QString name = QStringLiteral("position %1").arg(i * 37);
        taken |= store.saveUnlessTaken(name, std::nullopt, PositionRow {0, 1, name, {}, {}})
                     .clash.has_value();
    });

    Workspace workspace;
    workspace.load();
    workspace.setStrategy(2);
    workspace.setText(at("Text2", 3), QStringLiteral("40"));
    workspace.setText(at("Text2", 5), QStringLiteral("4"));
    qint64 opened = store.insert(rowFromWorkspace(workspace, 2, QStringLiteral("benched")));
    measure("save over an opened position (replace)", 50, [&](int) {
        opened = store
                     .saveUnlessTaken(QStringLiteral("benched"), opened,
                         rowFromWorkspace(workspace, 2, QStringLiteral("benched")))
                     .id;
    });
    measure("save a new position (insert)", 50, [&](int i) {
        store.insert(rowFromWorkspace(workspace, 3, QStringLiteral("new %1").arg(i)));
    });
    measure("open a position into the window model", 500,
        [&](int i) { loadRow(*store.row(qint64(1 + (i * 199) % kRows)), workspace); });
    std::printf("(listed %zu names, clash seen: %s)\n", listed, taken ? "yes" : "no");
    return 0;
}
