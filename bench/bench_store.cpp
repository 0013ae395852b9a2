// Time of the store's operations on a file with 100,000 saved positions:
// opening the file (key derivation included), listing one strategy, the
// name-clash test, a save that replaces a row, and opening a position into
// the window model; min and median of the runs.
// `bench_store --write FILE` only writes such a file.

#include "store/PositionMapping.h"
#include "store/PositionStore.h"

#include "core/Workspace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace velmora;

namespace
{

constexpr int kRows = 100000;

void fill(const QString &file)
{
    {
        const PositionStore schema(file);
    } // the table and its indexes
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

// Each run timed on its own: a mean would hide the spread a busy machine
// gives the listing.
void measure(const char *what, int repeats, const std::function<void(int)> &run)
{
    std::vector<double> ms;
    ms.reserve(size_t(repeats));
    QElapsedTimer timer;
    for (int i = 0; i < repeats; ++i) {
        timer.start();
        run(i);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    std::printf(
        "%-46s min %9.3f ms  median %9.3f ms  (%d runs)\n", what, ms.front(), median, repeats);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // --write FILE: only build the file, for the whole-process benchmark.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == u"--write") {
        fill(arguments[2]);
        return 0;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("CH.mdb"));
    QElapsedTimer timer;
    timer.start();
    fill(file);
    std::printf("%d positions written in %.0f ms\n", kRows, double(timer.elapsed()));

    measure("open the file (key check, schema)", 10, [&](int) { PositionStore store(file); });

    PositionStore store(file);
    size_t listed = 0;
    measure("list one strategy (20,000 names)", 20,
        [&](int i) { listed += store.names(i % 5).size(); });
    bool taken = false;
    measure("name-clash test (name taken)", 2000,
        [&](int i) { taken |= store.nameTaken(QStringLiteral("position %1").arg(i * 37)); });
    measure("name-clash test (free name, one row excepted)", 2000,
        [&](int i) { taken |= store.nameTaken(QStringLiteral("free %1").arg(i), qint64(i + 1)); });

    Workspace workspace;
    workspace.load();
    workspace.setStrategy(2);
    workspace.setText(at("Text2", 3), QStringLiteral("40"));
    workspace.setText(at("Text2", 5), QStringLiteral("4"));
    qint64 opened = store.insert(rowFromWorkspace(workspace, 2, QStringLiteral("benched")));
    measure("save over an opened position (replace)", 50, [&](int) {
        opened = *store.saveUnlessTaken(QStringLiteral("benched"), opened,
            rowFromWorkspace(workspace, 2, QStringLiteral("benched")));
    });
    measure("save a new position (insert)", 50, [&](int i) {
        store.insert(rowFromWorkspace(workspace, 3, QStringLiteral("new %1").arg(i)));
    });
    measure("open a position into the window model", 500,
        [&](int i) { loadRow(*store.row(qint64(1 + (i * 199) % kRows)), workspace); });
    std::printf("(listed %zu names, clash seen: %s)\n", listed, taken ? "yes" : "no");
    return 0;
}
