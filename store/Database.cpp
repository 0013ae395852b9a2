#include "store/Database.h"

#include "store/SqlCipherLibrary.h"

#include <atomic>
#include <cctype>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

#include <openssl/evp.h>
#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace velmora
{

namespace
{

constexpr char kKey[] = "QZ";

// SQLCipher 3 derives the page key from the password and the salt at the
// start of the file with PBKDF2-HMAC-SHA1.
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
constexpr int kKeyRounds = 64000;

std::atomic<int> g_keyDerivations {0};

// The key depends only on the salt, so one derivation per salt serves every
// later opening in the run, whichever file carries it.
class KeyCache
{
public:
    // SQLCipher's raw-key form: x'<key><salt>' in hex.
    // Empty when OpenSSL fails; the password serves then.
    QByteArray rawKey(const QByteArray &salt)
    {
        std::lock_guard lock(m_mutex);
        QByteArray &known = m_keys[salt];
        if (known.isEmpty())
            known = derive(salt);
        return known;
    }

    void forget(const QByteArray &salt)
    {
        std::lock_guard lock(m_mutex);
        m_keys.erase(salt);
    }

private:
    static QByteArray derive(const QByteArray &salt)
    {
        ++g_keyDerivations;
        unsigned char key[kKeyBytes];
        if (SQLCIPHER(PKCS5_PBKDF2_HMAC_SHA1)(kKey, int(sizeof kKey - 1),
                reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
                kKeyRounds, kKeyBytes, key)
            != 1)
            return QByteArray();
        const QByteArray hex
            = QByteArray(reinterpret_cast<const char *>(key), kKeyBytes).toHex() + salt.toHex();
        return "x'" + hex + "'";
    }

    std::mutex m_mutex;
    std::map<QByteArray, QByteArray> m_keys;
};

KeyCache &keyCache()
{
    static KeyCache cache;
    return cache;
}

// The salt an encrypted file starts with; empty for a file too short to
// hold one, which SQLCipher keys from the password (and salts when writing).
QByteArray saltOf(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray salt = f.read(kSaltBytes);
    return salt.size() == kSaltBytes ? salt : QByteArray();
}

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

// SQLite names the side files of a write-ahead log after the database.
bool hasPendingLog(const QString &file)
{
    return QFileInfo(file + QStringLiteral("-wal")).size() > 0;
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
    QByteArray name = QFile::encodeName(file);
    if (info.exists() && permissionsForbidWriting(file)) {
        flags = SQLITE_OPEN_READONLY;
        // Reading a log-mode file would leave its side files behind, made
        // as read-only as the file, and they would keep it from opening
        // once it is writable again. Without a pending log the file alone
        // is the whole database, and an unchanging file needs no side files.
        if (!hasPendingLog(file)) {
            flags |= SQLITE_OPEN_URI;
            name = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded() + "?immutable=1";
        }
    } else if (info.exists()) {
        flags = SQLITE_OPEN_READWRITE;
    }

    // A plain SQLite file has no salt; it is refused below.
    const QByteArray salt = isPlainDatabase(file) ? QByteArray() : saltOf(file);
    const QByteArray rawKey = salt.isEmpty() ? QByteArray() : keyCache().rawKey(salt);
    int rc = open(name, flags, rawKey.isEmpty() ? QByteArray(kKey) : rawKey, busyTimeoutMs);
    if ((rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) && !rawKey.isEmpty()) {
        // Not this program's key after all, or a damaged first page: the
        // password itself gives the cause.
        keyCache().forget(salt);
        rc = open(name, flags, QByteArray(kKey), busyTimeoutMs);
    }
    if (rc != SQLITE_OK) {
        const bool plain = (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) && isPlainDatabase(file);
        const QString side = (rc & 0xff) == SQLITE_CANTOPEN || (rc & 0xff) == SQLITE_READONLY
            ? readOnlySideFile(file)
            : QString();
        QString cause = plain ? QStringLiteral("it is not encrypted with the program's key")
                              : causeOf(rc, m_db);
        if (!side.isEmpty()) {
            cause = QStringLiteral("its side file \"%1\" is read-only; with no copy of the "
                                   "program running, deleting that file lets it open")
                        .arg(side);
        }
        SQLCIPHER(sqlite3_close)(m_db);
        m_db = nullptr;
        throw DatabaseError(file, cause);
    }
    m_readOnly = SQLCIPHER(sqlite3_db_readonly)(m_db, "main") == 1;
}

int Database::open(const QByteArray &name, int flags, const QByteArray &key, int busyTimeoutMs)
{
    if (m_db) {
        SQLCIPHER(sqlite3_close)(m_db);
        m_db = nullptr;
    }
    int rc = SQLCIPHER(sqlite3_open_v2)(name.constData(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK)
        rc = SQLCIPHER(sqlite3_key)(m_db, key.constData(), int(key.size()));
    if (rc == SQLITE_OK)
        rc = SQLCIPHER(sqlite3_busy_timeout)(m_db, busyTimeoutMs);
    if (rc == SQLITE_OK) {
        // The key is only tried when a page is read.
        rc = SQLCIPHER(sqlite3_exec)(
            m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    return rc;
}

void Database::prepareForWriting()
{
    if (m_readOnly || m_logging)
        return;
    // Write-ahead logging: a save costs one append instead of several waits
    // for the disk, and another copy can still list while one saves. Set
    // only for a write, so that reading never changes how a file opens.
    SQLCIPHER(sqlite3_exec)
    (m_db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    m_logging = true;
}

int Database::keyDerivations()
{
    return g_keyDerivations;
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
