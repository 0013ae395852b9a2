// The encrypted position file: it cannot be read without the key, and every
// way the file can be unusable gives an error naming the file and the cause
// while leaving the file exactly as it was.
#include "support/TestSupport.h"

#include "store/Database.h"
#include "store/DatabaseLocation.h"
#include "store/PositionStore.h"

#include <sqlcipher/sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include <chrono>
#include <functional>
#include <thread>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::testing;

namespace
{

const passwd *ordinaryUser()
{
    return geteuid() == 0 ? getpwnam("nobody") : getpwuid(geteuid());
}

// The exit status of `step` run as an ordinary user: here when the tests
// already run unprivileged, else in a child that drops root for "nobody".
int asOrdinaryUser(const std::function<int()> &step)
{
    if (geteuid() != 0)
        return step();
    const passwd *user = ordinaryUser();
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(user->pw_gid) != 0 || setuid(user->pw_uid) != 0)
            _exit(126);
        try {
            _exit(step());
        } catch (const DatabaseError &error) {
            qWarning("%s", error.what());
            _exit(125);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}

// Copies `from` with a log that holds `sql` not yet copied into the file, as
// a copy of the program that stopped while saving leaves it.
void copyWithPendingLog(const QString &from, const QString &to, const char *sql, bool shm)
{
    sqlite3 *raw = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(from).constData(), &raw), SQLITE_OK);
    QCOMPARE(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    for (const char *suffix : {"", "-wal", "-shm"}) {
        QFile::remove(to + QLatin1String(suffix));
        if (*suffix != '-' || suffix[1] == 'w' || shm)
            QVERIFY(QFile::copy(from + QLatin1String(suffix), to + QLatin1String(suffix)));
    }
    sqlite3_close(raw);
}

// The file and its side files as they are, without reading a pipe.
QList<QByteArray> withSideFiles(const QString &file)
{
    QList<QByteArray> state;
    for (const char *suffix : {"", "-wal", "-shm"}) {
        const QFileInfo info(file + QLatin1String(suffix));
        state << (info.isFile() ? fileBytes(info.filePath()) : QByteArray())
              << QByteArray::number(info.exists());
    }
    return state;
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void onlyASaveCreatesTheFile_data();
    void onlyASaveCreatesTheFile();
    void encryptedWithAKeyDerivedOnce();
    void unusableFile_data();
    void unusableFile();
    void twoCopiesSaveTheFirstPosition_data();
    void twoCopiesSaveTheFirstPosition();
    void readOnlyFileListsButRefusesWrites();
    void readingReadOnlyFileLeavesNothingBehind_data();
    void readingReadOnlyFileLeavesNothingBehind();
    void lockedByAnotherCopy();
    void waitsForAnotherCopy();
    void badStatementsAreRefused();
    void location();

private:
    QString freshStore();
    QTemporaryDir m_dir;
    QString m_file;
};

void TestDatabase::init()
{
    QVERIFY(m_dir.isValid());
    m_file = freshFile(m_dir, QStringLiteral("CH-"));
}

// A store with one row, closed again.
QString TestDatabase::freshStore()
{
    PositionStore store(m_file);
    PositionRow row;
    row.strategy = 2;
    row.name = QStringLiteral("Zebra Marker Position");
    row.values = {{QStringLiteral("lSmb"), QStringLiteral("SECRETSYM")}};
    store.insert(row);
    return m_file;
}

void TestDatabase::onlyASaveCreatesTheFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << false;
    QTest::newRow("zero length") << true;
}

void TestDatabase::onlyASaveCreatesTheFile()
{
    QFETCH(bool, exists);
    if (exists)
        writeBytes(m_file, QByteArray());
    {
        PositionStore store(m_file);
        store.checkPages();
        QVERIFY(store.names(0).empty());
        QVERIFY(!store.find(QStringLiteral("any")));
        QVERIFY(!store.row(1));
        store.remove({1});
    }
    QCOMPARE(QFile::exists(m_file), exists);
    QCOMPARE(fileBytes(m_file), QByteArray());

    freshStore();
    Database db(m_file);
    Statement query
        = db.prepare("SELECT name FROM sqlite_master WHERE name NOT LIKE 'sqlite%' ORDER BY name");
    QStringList names;
    while (query.step())
        names << query.text(0).value_or(QString());
    QCOMPARE(names, (QStringList {"Chart", "ChartFName", "ChartSID"}));
}

// Unreadable without the key; the run's connection is kept, so the key is
// derived once; files keyed with the password alone, as every version wrote
// them, still open.
void TestDatabase::encryptedWithAKeyDerivedOnce()
{
    freshStore();
    sqlite3 *raw = nullptr;
    QCOMPARE(
        sqlite3_open_v2(QFile::encodeName(m_file).constData(), &raw, SQLITE_OPEN_READONLY, nullptr),
        SQLITE_OK);
    const int rc
        = sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    QCOMPARE(rc, SQLITE_NOTADB);

    const QByteArray bytes = fileBytes(m_file);
    QVERIFY(!bytes.isEmpty());
    QVERIFY(!bytes.contains("Zebra Marker Position"));
    QVERIFY(!bytes.contains("SECRETSYM"));

    const int before = Database::keyDerivations();
    const auto kept = PositionStore::Connection::Kept;
    PositionStore(m_file, kept).insert(PositionRow {0, 1, QStringLiteral("second"), {}, {}});
    QCOMPARE(PositionStore(m_file, kept).names(1).size(), size_t(1));
    QCOMPARE(Database::keyDerivations() - before, 1);

    // Keyed with the password alone, as every earlier version opens it.
    raw = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(m_file).constData(), &raw), SQLITE_OK);
    QCOMPARE(
        sqlite3_exec(raw, "PRAGMA key = 'QZ'; INSERT INTO Chart (sID, fName) VALUES (1, 'third')",
            nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(raw);
    QCOMPARE(PositionStore(m_file, kept).names(1).size(), size_t(2));
}

// Whatever is wrong with the file, listing, opening and saving are refused
// with the cause, and the file and its side files stay as they were.
void TestDatabase::unusableFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    const QString notOurs = QStringLiteral("not encrypted with the program's key");
    addRow("damaged first page", "damaged", "damaged");
    addRow("damaged later page", "damaged page", "damaged");
    addRow("text file", "text", "damaged");
    QTest::newRow("other key") << "other key" << notOurs;
    QTest::newRow("other key, log pending") << "other key, log" << notOurs;
    QTest::newRow("damaged salt, log pending") << "damaged salt, log" << notOurs;
    QTest::newRow("plain database") << "plain" << notOurs;
    addRow("missing folder", "missing folder", "does not exist");
    addRow("folder", "folder", "a folder");
    addRow("pipe", "pipe", "not a regular file");
}

void TestDatabase::unusableFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    m_file = freshFile(m_dir, QString::fromLatin1(QTest::currentDataTag()));
    if (kind == u"damaged" || kind == u"damaged page") {
        freshStore();
        {
            PositionStore store(m_file);
            for (int i = 0; i < 100; ++i)
                store.insert(PositionRow {0, 1, QStringLiteral("row %1").arg(i), {},
                    {{QStringLiteral("lSmb"), QString(80, u'S')}}});
        }
        QByteArray bytes = fileBytes(m_file);
        bytes.replace(kind == u"damaged" ? 40 : 6 * 1024 + 40, 400, QByteArray(400, 'x'));
        writeBytes(m_file, bytes);
    } else if (kind == u"text") {
        writeBytes(m_file, QByteArray("not a database at all\n").repeated(200));
    } else if (kind == u"missing folder") {
        m_file = m_dir.filePath(QStringLiteral("no such folder/CH.mdb"));
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkpath(m_file));
    } else if (kind == u"pipe") {
        QCOMPARE(mkfifo(QFile::encodeName(m_file).constData(), 0600), 0);
    } else if (kind.endsWith(u", log")) {
        const QString origin = m_file + QStringLiteral(".origin");
        copyWithPendingLog(origin, m_file,
            kind.startsWith(u"other key")
                ? "PRAGMA key = 'XY'; PRAGMA journal_mode = WAL; CREATE TABLE Chart (fName)"
                : "PRAGMA key = 'QZ'; PRAGMA journal_mode = WAL; CREATE TABLE Chart (fName)",
            true);
        if (kind.startsWith(u"damaged salt")) {
            QByteArray bytes = fileBytes(m_file);
            writeBytes(m_file, bytes.replace(0, 16, QByteArray(16, 's')));
        }
    } else {
        sqlite3 *raw = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(m_file).constData(), &raw), SQLITE_OK);
        const char *sql = kind == u"plain"
            ? "CREATE TABLE Chart (ID INTEGER PRIMARY KEY, fName TEXT)"
            : "PRAGMA key = 'XY'; CREATE TABLE Chart (ID INTEGER PRIMARY KEY, fName TEXT)";
        QCOMPARE(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    const QList<QByteArray> before = withSideFiles(m_file);
    const QString failure = failureCause([this] {
        PositionStore store(m_file);
        store.names(1);
        store.find(QStringLiteral("row 1"));
        store.saveUnlessTaken(
            QStringLiteral("new"), std::nullopt, PositionRow {0, 1, "new", {}, {}});
    });
    QVERIFY2(failure.contains(cause), qPrintable(failure));
    QCOMPARE(withSideFiles(m_file), before);
    QCOMPARE(QFileInfo(m_file).dir().exists(), kind != u"missing folder");
}

// Into a missing or an empty file, both saves succeed (one waits for the
// other), or one is told the file is locked; neither finds it damaged.
void TestDatabase::twoCopiesSaveTheFirstPosition_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << false;
    QTest::newRow("zero length") << true;
}

void TestDatabase::twoCopiesSaveTheFirstPosition()
{
    QFETCH(bool, exists);
    for (int round = 0; round < 4; ++round) {
        QFile::remove(m_file);
        QFile::remove(m_file + QStringLiteral("-wal"));
        QFile::remove(m_file + QStringLiteral("-shm"));
        if (exists)
            writeBytes(m_file, QByteArray());
        int start[2];
        QCOMPARE(pipe(start), 0);
        pid_t copies[2];
        for (pid_t &copy : copies) {
            copy = fork();
            if (copy == 0) {
                char go = 0;
                if (read(start[0], &go, 1) != 1)
                    _exit(126);
                try {
                    PositionStore(m_file).insert(PositionRow {0, 0, "first", {}, {}});
                    _exit(0);
                } catch (const DatabaseError &error) {
                    _exit(error.cause().contains(u"locked") ? 1 : 2);
                }
            }
        }
        QCOMPARE(write(start[1], "go", 2), 2); // both start at once
        int saved = 0;
        for (const pid_t copy : copies) {
            int status = 0;
            waitpid(copy, &status, 0);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) <= 1);
            saved += WEXITSTATUS(status) == 0;
        }
        close(start[0]);
        close(start[1]);
        QCOMPARE(PositionStore(m_file).names(0).size(), size_t(saved));
    }
}

void TestDatabase::readOnlyFileListsButRefusesWrites()
{
    freshStore();
    QVERIFY(QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const QByteArray before = fileBytes(m_file);
    {
        PositionStore store(m_file);
        QCOMPARE(store.names(2).size(), size_t(1));
        PositionRow row;
        row.strategy = 0;
        row.name = QStringLiteral("another");
        const QString readOnly = QStringLiteral("it is read-only");
        QCOMPARE(failureCause([&] { store.insert(row); }), readOnly);
        QCOMPARE(failureCause([&] { store.saveUnlessTaken(*row.name, 1, row); }), readOnly);
        QCOMPARE(failureCause([&] { store.remove({1}); }), readOnly);
    }
    QCOMPARE(fileBytes(m_file), before);
    QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestDatabase::readingReadOnlyFileLeavesNothingBehind_data()
{
    QTest::addColumn<bool>("logPending");
    QTest::newRow("file alone") << false;
    QTest::newRow("log pending, no -shm") << true;
}

void TestDatabase::readingReadOnlyFileLeavesNothingBehind()
{
    QFETCH(bool, logPending);
    const passwd *user = ordinaryUser();
    if (!user)
        QSKIP("no ordinary user (\"nobody\") to read the file as");
    // A folder of the user's own, so that side files could be made there.
    QTemporaryDir folder;
    QVERIFY(QFile::setPermissions(folder.path(),
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther
            | QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QString target = folder.filePath(QStringLiteral("CH.mdb"));
    freshStore();
    if (logPending) {
        copyWithPendingLog(m_file, target,
            "PRAGMA key = 'QZ'; INSERT INTO Chart (sID, fName) VALUES (2, 'in the log')", false);
    } else {
        QVERIFY(QFile::copy(m_file, target));
    }
    m_file = target;
    for (const char *suffix : {"", "-wal"})
        chown(QFile::encodeName(m_file + QLatin1String(suffix)).constData(), user->pw_uid,
            user->pw_gid);
    QVERIFY(QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    const QList<QByteArray> before = withSideFiles(m_file);

    QCOMPARE(asOrdinaryUser([this] { return int(PositionStore(m_file).names(2).size()); }),
        logPending ? 2 : 1);
    QCOMPARE(withSideFiles(m_file), before);

    // Writable again, the file saves as if it had never been read.
    QVERIFY(QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(asOrdinaryUser([this] {
        PositionStore store(m_file);
        store.insert(PositionRow {0, 1, QStringLiteral("after"), {}, {}});
        return int(store.names(1).size());
    }),
        1);
    if (logPending)
        return;

    // A read-only side file an earlier version left is named as the cause.
    const QString side = m_file + QStringLiteral("-shm");
    writeBytes(side, QByteArray(32768, '\0'));
    QCOMPARE(chown(QFile::encodeName(side).constData(), user->pw_uid, user->pw_gid), 0);
    QVERIFY(QFile::setPermissions(side, QFileDevice::ReadOwner));
    QCOMPARE(asOrdinaryUser([this] {
        return int(failureCause([this] { PositionStore store(m_file); }).contains(u"CH.mdb-shm"));
    }),
        1);
}

void TestDatabase::lockedByAnotherCopy()
{
    freshStore();
    Database other(m_file);
    other.execute("BEGIN IMMEDIATE");
    other.execute("DELETE FROM Chart");
    // While the other copy saves, this one still lists what was committed,
    // but its own save gives up after the wait with a clear cause.
    PositionStore store(m_file, PositionStore::Connection::Own, 50);
    QCOMPARE(store.names(2).size(), size_t(1));
    PositionRow row;
    row.strategy = 0;
    row.name = QStringLiteral("blocked");
    const QString cause = failureCause([&] { store.insert(row); });
    QVERIFY2(cause.contains(QStringLiteral("locked by another running copy")), qPrintable(cause));
    other.execute("ROLLBACK");
    QVERIFY(!store.find(QStringLiteral("blocked")));
    QCOMPARE(store.names(2).size(), size_t(1));
}

void TestDatabase::waitsForAnotherCopy()
{
    freshStore();
    PositionStore store(m_file);
    auto other = std::make_unique<Database>(m_file);
    other->execute("BEGIN IMMEDIATE");
    std::thread holder([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other->execute("COMMIT");
    });
    PositionRow row;
    row.strategy = 0;
    row.name = QStringLiteral("after the other copy");
    const qint64 id = store.insert(row);
    holder.join();
    QVERIFY(id > 1);
    QVERIFY(store.find(QStringLiteral("after the other copy")));
}

void TestDatabase::badStatementsAreRefused()
{
    Database db(m_file);
    try {
        db.execute("SELECT no_such_column FROM sqlite_master");
        QFAIL("a bad statement ran");
    } catch (const DatabaseError &error) {
        QVERIFY2(
            error.cause().contains(QStringLiteral("no_such_column")), qPrintable(error.cause()));
        QCOMPARE(error.file(), m_file);
    }
    // One statement per call, so that no text can smuggle in a second.
    db.execute("SELECT 1;  \n");
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, db.execute("SELECT 1; DELETE FROM Chart"));
}

void TestDatabase::location()
{
    // The test program's folder is writable, so the file lies beside it.
    setDatabasePath(QString());
    QCOMPARE(databasePath(),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("CH.mdb")));
    setDatabasePath(m_file);
    QCOMPARE(databasePath(), m_file);
    setDatabasePath(QString());

    // Installed where it cannot write beside itself, each program looks in
    // the user's data folder, whatever its own name.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-chart"));
    const QString chart = defaultDatabasePath(QString());
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCOMPARE(defaultDatabasePath(QString()), chart);
    QVERIFY(chart.endsWith(QStringLiteral("/velmora/CH.mdb")));
    QStandardPaths::setTestModeEnabled(false);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
