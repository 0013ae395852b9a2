#include "store/Database.h"

#include "store/SqlCipherLibrary.h"

#include <cctype>
#include <stdexcept>
#include <string>

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora
{

namespace
{

constexpr char kKey[] = "QZ";

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
    const char *detail = db ? SQLCIPHER(sqlite3_errmsg)(db) : SQLCIPHER(sqlite3_errstr)(code);
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
    SQLCIPHER(sqlite3_finalize)(m_statement);
}

Statement &Statement::bind(int position, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    const int rc = SQLCIPHER(sqlite3_bind_text)(
        m_statement, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        m_database->fail(rc);
    return *this;
}

Statement &Statement::bind(int position, qint64 value)
{
    const int rc = SQLCIPHER(sqlite3_bind_int64)(m_statement, position, value);
    if (rc != SQLITE_OK)
        m_database->fail(rc);
    return *this;
}

Statement &Statement::bind(int position, const std::optional<QString> &value)
{
    if (value)
        return bind(position, *value);
    const int rc = SQLCIPHER(sqlite3_bind_null)(m_statement, position);
    if (rc != SQLITE_OK)
        m_database->fail(rc);
    return *this;
}

bool Statement::step()
{
    const int rc = SQLCIPHER(sqlite3_step)(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    SQLCIPHER(sqlite3_reset)(m_statement);
    m_database->fail(rc);
}

void Statement::reset()
{
    SQLCIPHER(sqlite3_reset)(m_statement);
    SQLCIPHER(sqlite3_clear_bindings)(m_statement);
}

int Statement::columnCount() const
{
    return SQLCIPHER(sqlite3_column_count)(m_statement);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(SQLCIPHER(sqlite3_column_name)(m_statement, column));
}

std::optional<QString> Statement::text(int column) const
{
    if (SQLCIPHER(sqlite3_column_type)(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    const auto *bytes
        = reinterpret_cast<const char *>(SQLCIPHER(sqlite3_column_text)(m_statement, column));
    return QString::fromUtf8(bytes, SQLCIPHER(sqlite3_column_bytes)(m_statement, column));
}

std::optional<qint64> Statement::integer(int column) const
{
    if (SQLCIPHER(sqlite3_column_type)(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    return SQLCIPHER(sqlite3_column_int64)(m_statement, column);
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
    if (const QString missing = loadSqlCipher(); !missing.isEmpty())
        throw DatabaseError(file, missing);

    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (info.exists() && permissionsForbidWriting(file))
        flags = SQLITE_OPEN_READONLY;
    else if (info.exists())
        flags = SQLITE_OPEN_READWRITE;

    int rc = SQLCIPHER(sqlite3_open_v2)(QFile::encodeName(file).constData(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK)
        rc = SQLCIPHER(sqlite3_key)(m_db, kKey, int(sizeof kKey - 1));
    if (rc == SQLITE_OK)
        rc = SQLCIPHER(sqlite3_busy_timeout)(m_db, busyTimeoutMs);
    if (rc == SQLITE_OK) {
        // The key is only tried when a page is read.
        rc = SQLCIPHER(sqlite3_exec)(
            m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const bool plain = (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) && isPlainDatabase(file);
        const QString cause = plain ? QStringLiteral("it is not encrypted with the program's key")
                                    : causeOf(rc, m_db);
        SQLCIPHER(sqlite3_close)(m_db);
        throw DatabaseError(file, cause);
    }
    m_readOnly = SQLCIPHER(sqlite3_db_readonly)(m_db, "main") == 1;
    if (!m_readOnly) {
        // Write-ahead logging: a save costs one append instead of several
        // waits for the disk, and another copy can still list while one saves.
        SQLCIPHER(sqlite3_exec)
        (m_db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    }
}

Database::~Database()
{
    SQLCIPHER(sqlite3_close)(m_db);
}

Statement Database::prepare(const char *sql) const
{
    sqlite3_stmt *statement = nullptr;
    const char *rest = nullptr;
    const int rc = SQLCIPHER(sqlite3_prepare_v2)(m_db, sql, -1, &statement, &rest);
    if (rc != SQLITE_OK) {
        SQLCIPHER(sqlite3_finalize)(statement);
        fail(rc);
    }
    // One statement a call: anything after it would silently never run.
    while (rest && *rest && std::isspace(static_cast<unsigned char>(*rest)))
        ++rest;
    if (rest && *rest) {
        SQLCIPHER(sqlite3_finalize)(statement);
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
    return SQLCIPHER(sqlite3_last_insert_rowid)(m_db);
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
