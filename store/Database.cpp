#include "store/Database.h"

#include <atomic>
#include <cctype>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sys/stat.h>

namespace velmora
{

namespace
{

// The program's password; SQLCipher derives the page key from it and the
// salt at the start of the file.
constexpr char kPassword[] = "QZ";

std::atomic<int> g_keyDerivations {0};

QString causeOf(int code, sqlite3 *db)
{
    switch (code & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("it is damaged, or it is not encrypted with the program's key");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("it is locked by another running copy of the program; try again in "
                              "a moment");
    case SQLITE_READONLY:
        return QStringLiteral("it is read-only");
    case SQLITE_CANTOPEN:
        return QStringLiteral("it cannot be opened (it is missing or you may not read it)");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("access to it was refused");
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    case SQLITE_IOERR:
        return QStringLiteral("the disk reported an error while reading or writing it");
    default:
        break;
    }
    const char *detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return QStringLiteral("the database reported \"%1\"").arg(QString::fromUtf8(detail));
}

// A plain SQLite file starts with this header; an encrypted one looks random.
bool isPlainDatabase(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// SQLite names the side files of a write-ahead log after the database. A
// connection that finds the log takes it up and, when it is the last to
// close, copies it into the file and deletes it, whether or not it could read
// the file.
bool hasLog(const QString &file)
{
    return QFileInfo::exists(file + QStringLiteral("-wal"));
}

bool isRegularFile(const QString &file)
{
    struct stat status {
    };
    return ::stat(QFile::encodeName(file).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

// The URI of a file SQLite reads as it stands: no locks, no log, no side files.
QByteArray immutableName(const QString &file)
{
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toEncoded() + "?immutable=1";
}

// A side file the user may not write keeps a writable file from opening;
// earlier versions left such files after reading a read-only one.
QString readOnlySideFile(const QString &file)
{
    for (const char *suffix : {"-shm", "-wal"}) {
        const QFileInfo side(file + QLatin1String(suffix));
        if (side.exists() && !side.isWritable())
            return side.fileName();
    }
    return QString();
}

bool permissionsForbidWriting(const QString &file)
{
    // Judged on the permission bits rather than on access(), so that a file
    // marked read-only stays untouched even for an administrator.
    const auto writeBits
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return (QFile::permissions(file) & writeBits) == 0;
}

} // namespace

DatabaseError::DatabaseError(QString file, QString cause)
    : m_file(std::move(file))
    , m_cause(std::move(cause))
    , m_what(text().toUtf8())
{
}

QString DatabaseError::text() const
{
    return QStringLiteral("The position file \"%1\" cannot be used: %2.")
        .arg(QDir::toNativeSeparators(m_file), m_cause);
}

// --- Statement -------------------------------------------------------------------

Statement::Statement(const Database &database, sqlite3_stmt *statement)
    : m_database(&database)
    , m_statement(statement)
{
}

Statement::Statement(Statement &&other) noexcept
    : m_database(other.m_database)
    , m_statement(other.m_statement)
{
    other.m_statement = nullptr;
}

Statement::~Statement()
{
    sqlite3_finalize(m_statement);
}

Statement &Statement::bind(int position, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    const int rc = sqlite3_bind_text(
        m_statement, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        m_database->fail(rc);
    return *this;
}

Statement &Statement::bind(int position, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_statement, position, value);
    if (rc != SQLITE_OK)
        m_database->fail(rc);
    return *this;
}

Statement &Statement::bind(int position, const std::optional<QString> &value)
{
    if (value)
        return bind(position, *value);
    const int rc = sqlite3_bind_null(m_statement, position);
    if (rc != SQLITE_OK)
        m_database->fail(rc);
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_statement);
    m_database->fail(rc);
}

void Statement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

std::optional<QString> Statement::text(int column) const
{
    if (sqlite3_column_type(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView Statement::utf8(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(m_statement, column));
}

std::optional<qint64> Statement::integer(int column) const
{
    if (sqlite3_column_type(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_int64(m_statement, column);
}

// --- Database --------------------------------------------------------------------

Database::Database(const QString &file, int busyTimeoutMs)
    : m_file(file)
{
    const QFileInfo info(file);
    if (!info.absoluteDir().exists()) {
        throw DatabaseError(file,
            QStringLiteral("its folder \"%1\" does not exist")
                .arg(QDir::toNativeSeparators(info.absolutePath())));
    }
    if (info.isDir())
        throw DatabaseError(file, QStringLiteral("it is a folder, not a file"));
    // A pipe would keep the program waiting for ever, a device is no file.
    if (info.exists() && !isRegularFile(file))
        throw DatabaseError(file, QStringLiteral("it is not a regular file"));

    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    QByteArray name = QFile::encodeName(file);
    if (info.exists() && permissionsForbidWriting(file)) {
        m_readOnly = true;
        name = readOnlyName(flags);
    } else if (info.exists()) {
        flags = SQLITE_OPEN_READWRITE;
        // The key is proven on the file alone first: closing a connection
        // that took up the log would write into a file that is then refused.
        if (hasLog(file)) {
            if (const int rc = proveKeyOnFileAlone(busyTimeoutMs); rc != SQLITE_OK)
                refuse(rc);
        }
    }
    if (const int rc = open(name, flags, busyTimeoutMs); rc != SQLITE_OK)
        refuse(rc);
    if (!m_readOnly)
        m_readOnly = sqlite3_db_readonly(m_db, "main") == 1;
}

int Database::proveKeyOnFileAlone(int busyTimeoutMs)
{
    // Read without locks, the file may be caught while another copy copies
    // its log into it, half a page written: a failed proof is tried again
    // before the file is refused.
    constexpr int kAttempts = 3;
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        rc = open(immutableName(m_file), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, busyTimeoutMs);
        if (rc != SQLITE_NOTADB && rc != SQLITE_CORRUPT)
            break;
    }
    return rc;
}

QByteArray Database::readOnlyName(int &flags)
{
    // Reading a log-mode file would leave its side files behind, made as
    // read-only as the file, and they would keep it from opening once it is
    // writable again. Without a log the file alone is the whole database,
    // and an unchanging file needs no side files.
    if (!hasLog(m_file)) {
        flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        return immutableName(m_file);
    }
    // With one, the file and its log are read from a copy of both.
    m_copy = std::make_unique<QTemporaryDir>();
    const QString copy = m_copy->filePath(QStringLiteral("copy.mdb"));
    const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (!m_copy->isValid() || !QFile::copy(m_file, copy)
        || !QFile::copy(m_file + QStringLiteral("-wal"), copy + QStringLiteral("-wal"))
        || !QFile::setPermissions(copy, writable)
        || !QFile::setPermissions(copy + QStringLiteral("-wal"), writable)) {
        throw DatabaseError(
            m_file, QStringLiteral("it is read-only and its log could not be read from a copy"));
    }
    flags = SQLITE_OPEN_READWRITE;
    return QFile::encodeName(copy);
}

void Database::refuse(int rc)
{
    const bool plain = (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) && isPlainDatabase(m_file);
    const QString side = (rc & 0xff) == SQLITE_CANTOPEN || (rc & 0xff) == SQLITE_READONLY
        ? readOnlySideFile(m_file)
        : QString();
    QString cause
        = plain ? QStringLiteral("it is not encrypted with the program's key") : causeOf(rc, m_db);
    if (!side.isEmpty()) {
        cause = QStringLiteral("its side file \"%1\" is read-only; with no copy of the "
                               "program running, deleting that file lets it open")
                    .arg(side);
    }
    sqlite3_close(m_db);
    m_db = nullptr;
    throw DatabaseError(m_file, cause);
}

int Database::open(const QByteArray &name, int flags, int busyTimeoutMs)
{
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    int rc = sqlite3_open_v2(name.constData(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK) {
        ++g_keyDerivations;
        rc = sqlite3_key(m_db, kPassword, int(sizeof kPassword - 1));
    }
    if (rc == SQLITE_OK) {
        // The settings every file so far was written with (SQLCipher 3's:
        // PBKDF2-HMAC-SHA1, 64,000 rounds, 1 KiB pages), should a later
        // SQLCipher default to others. SQLCipher 3 knows no such pragma and
        // ignores it.
        rc = sqlite3_exec(m_db, "PRAGMA cipher_compatibility = 3", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK)
        rc = sqlite3_busy_timeout(m_db, busyTimeoutMs);
    if (rc == SQLITE_OK) {
        // The key is only tried when a page is read.
        rc = sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    return rc;
}

void Database::setBusyTimeout(int busyTimeoutMs)
{
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
}

void Database::prepareForWriting()
{
    if (m_readOnly || m_logging)
        return;
    // Write-ahead logging: a save costs one append instead of several waits
    // for the disk, and another copy can still list while one saves. Set
    // only for a write, so that reading never changes how a file opens.
    sqlite3_exec(
        m_db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    m_logging = true;
}

int Database::keyDerivations()
{
    return g_keyDerivations;
}

Database::~Database()
{
    sqlite3_close(m_db);
}

Statement Database::prepare(const char *sql) const
{
    sqlite3_stmt *statement = nullptr;
    const char *rest = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, &rest);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        fail(rc);
    }
    // One statement a call: anything after it would silently never run.
    while (rest && *rest && std::isspace(static_cast<unsigned char>(*rest)))
        ++rest;
    if (rest && *rest) {
        sqlite3_finalize(statement);
        throw std::invalid_argument(std::string("more than one SQL statement: ") + sql);
    }
    return Statement(*this, statement);
}

void Database::execute(const char *sql) const
{
    Statement statement = prepare(sql);
    while (statement.step()) { }
}

qint64 Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

void Database::fail(int code) const
{
    throw DatabaseError(m_file, causeOf(code, m_db));
}

// --- Transaction -----------------------------------------------------------------

Transaction::Transaction(const Database &database)
    : m_database(database)
{
    m_database.execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    try {
        m_database.execute("ROLLBACK");
    } catch (const DatabaseError &) {
        // A failed statement may already have ended the transaction.
    }
}

void Transaction::commit()
{
    m_database.execute("COMMIT");
    m_open = false;
}

} // namespace velmora
