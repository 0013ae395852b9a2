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
    void readOnlyFileListsButRefusesWrites();
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

// Unreadable without the key, which is derived once per run; files keyed
// with the password alone, as earlier versions wrote them, still open.
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
    PositionStore(m_file).insert(PositionRow {0, 1, QStringLiteral("second"), {}, {}});
    QCOMPARE(PositionStore(m_file).names(1).size(), size_t(1));
    QCOMPARE(Database::keyDerivations() - before, 1);

    // Keyed with the password alone, as every earlier version opens it.
    raw = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(m_file).constData(), &raw), SQLITE_OK);
    QCOMPARE(
        sqlite3_exec(raw, "PRAGMA key = 'QZ'; INSERT INTO Chart (sID, fName) VALUES (1, 'third')",
            nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(raw);
    QCOMPARE(PositionStore(m_file).names(1).size(), size_t(2));
}

void TestDatabase::unusableFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    const QString notOurs = QStringLiteral("not encrypted with the program's key");
    addRow("damaged first page", "damaged", "damaged");
    addRow("text file", "text", "damaged");
    QTest::newRow("other key") << "other key" << notOurs;
    QTest::newRow("plain database") << "plain" << notOurs;
    addRow("missing folder", "missing folder", "does not exist");
}

void TestDatabase::unusableFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    if (kind == u"damaged") {
        freshStore();
        QByteArray bytes = fileBytes(m_file);
        bytes.replace(40, 400, QByteArray(400, 'x'));
        writeBytes(m_file, bytes);
    } else if (kind == u"text") {
        writeBytes(m_file, QByteArray("not a database at all\n").repeated(200));
    } else if (kind == u"missing folder") {
        m_file = m_dir.filePath(QStringLiteral("no such folder/CH.mdb"));
    } else {
        sqlite3 *raw = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(m_file).constData(), &raw), SQLITE_OK);
        const char *sql = kind == u"plain"
            ? "CREATE TABLE Chart (ID INTEGER PRIMARY KEY, fName TEXT)"
            : "PRAGMA key = 'XY'; CREATE TABLE Chart (ID INTEGER PRIMARY KEY, fName TEXT)";
        QCOMPARE(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    const QByteArray before = fileBytes(m_file);
    try {
        PositionStore store(m_file);
        QFAIL("an unusable file was opened");
    } catch (const DatabaseError &error) {
        QVERIFY2(error.cause().contains(cause), qPrintable(error.cause()));
        QVERIFY(error.text().contains(QDir::toNativeSeparators(m_file)));
    }
    QCOMPARE(fileBytes(m_file), before);
    QCOMPARE(QFileInfo(m_file).dir().exists(), kind != u"missing folder");
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

void TestDatabase::readingReadOnlyFileLeavesNothingBehind()
{
    const passwd *user = ordinaryUser();
    if (!user)
        QSKIP("no ordinary user (\"nobody\") to read the file as");
    // A folder of the user's own, so that side files could be made there.
    QTemporaryDir folder;
    QVERIFY(QFile::setPermissions(folder.path(),
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther
            | QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    m_file = folder.filePath(QStringLiteral("CH.mdb"));
    freshStore();
    QCOMPARE(chown(QFile::encodeName(m_file).constData(), user->pw_uid, user->pw_gid), 0);
    QVERIFY(QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::ReadOther));

    QCOMPARE(asOrdinaryUser([this] { return int(PositionStore(m_file).names(2).size()); }), 1);
    QVERIFY(!QFile::exists(m_file + QStringLiteral("-wal")));
    QVERIFY(!QFile::exists(m_file + QStringLiteral("-shm")));

    // Writable again, the file saves as if it had never been read.
    QVERIFY(QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(asOrdinaryUser([this] {
        PositionStore store(m_file);
        store.insert(PositionRow {0, 1, QStringLiteral("after"), {}, {}});
        return int(store.names(1).size());
    }),
        1);

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
    PositionStore store(m_file, 50);
    QCOMPARE(store.names(2).size(), size_t(1));
    PositionRow row;
    row.strategy = 0;
    row.name = QStringLiteral("blocked");
    const QString cause = failureCause([&] { store.insert(row); });
    QVERIFY2(cause.contains(QStringLiteral("locked by another running copy")), qPrintable(cause));
    other.execute("ROLLBACK");
    QVERIFY(!store.nameTaken(QStringLiteral("blocked")));
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
    QVERIFY(store.nameTaken(QStringLiteral("after the other copy")));
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
