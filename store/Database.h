#pragma once
// A thin RAII layer over the SQLCipher C API: one connection keyed with the
// program's password, prepared statements whose values are always bound
// parameters, and a transaction guard. Every failure is thrown as a
// DatabaseError that names the file and says in plain words what is wrong
// with it, so the windows can show it and carry on.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTemporaryDir>

#include <exception>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace velmora
{

class DatabaseError : public std::exception
{
public:
    DatabaseError(QString file, QString cause);

    const QString &file() const { return m_file; }
    const QString &cause() const { return m_cause; }
    // One sentence for a message box: the file and the cause.
    QString text() const;
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_file;
    QString m_cause;
    QByteArray m_what;
};

class Database;

class Statement
{
public:
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&) = delete;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    // Positions count from 1, as in the SQL text ("?1").
    Statement &bind(int position, const QString &value);
    Statement &bind(int position, qint64 value);
    Statement &bind(int position, const std::optional<QString> &value);

    // Runs the statement up to its next row: true when a row is ready,
    // false when the statement has finished.
    bool step();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    std::optional<QString> text(int column) const; // nothing for NULL
    // The column's text as SQLite holds it, valid until the next step.
    QByteArrayView utf8(int column) const;
    std::optional<qint64> integer(int column) const;

private:
    friend class Database;
    Statement(const Database &database, sqlite3_stmt *statement);

    const Database *m_database;
    sqlite3_stmt *m_statement;
};

class Database
{
public:
    // Long enough for another running copy to finish its save.
    static constexpr int kDefaultBusyTimeoutMs = 5000;

    // Opens the file with the program's key, creating it when it does not
    // exist yet (its folder must), and proves the key by reading the schema.
    // A file that cannot be used is left as it was, side files included. A
    // file whose permissions forbid writing is read as it stands and left
    // without side files.
    explicit Database(const QString &file, int busyTimeoutMs = kDefaultBusyTimeoutMs);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &file() const { return m_file; }
    bool isReadOnly() const { return m_readOnly; }
    void setBusyTimeout(int busyTimeoutMs);

    Statement prepare(const char *sql) const;
    // Runs a statement that takes no parameters and returns no rows.
    void execute(const char *sql) const;
    qint64 lastInsertId() const;
    // Switches the file to write-ahead logging before its first write.
    void prepareForWriting();

    // How many keyed connections this run has opened on a file: SQLCipher
    // derives the key from the password once in each.
    static int keyDerivations();

    // Throws the error the connection reports for a failed call.
    [[noreturn]] void fail(int code) const;

private:
    // The SQLite result of opening and proving the key.
    int open(const QByteArray &name, int flags, int busyTimeoutMs);
    [[noreturn]] void refuse(int code);
    // The key tried on the file without its log, which is left untouched.
    int proveKeyOnFileAlone(int busyTimeoutMs);
    // The name SQLite opens a read-only file under, with the flags to use.
    QByteArray readOnlyName(int &flags);

    sqlite3 *m_db = nullptr;
    QString m_file;
    // A read-only file with a pending log is read from a copy of both.
    std::unique_ptr<QTemporaryDir> m_copy;
    bool m_readOnly = false;
    bool m_logging = false;
};

// BEGIN IMMEDIATE: the write lock is taken (or waited for) before the first
// change, so two copies never interleave inside one save. Rolls back unless
// committed.
class Transaction
{
public:
    explicit Transaction(const Database &database);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    const Database &m_database;
    bool m_open = true;
};

} // namespace velmora
