#pragma once
// The saved positions: the table Chart of the encrypted file, with the reads
// and writes the program needs. Every value reaches SQL as a bound parameter,
// so a name may hold any text. Failures are thrown as DatabaseError
// (store/Database.h).

#include "store/Database.h"
#include "store/PositionRow.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace velmora
{

// A saved name found anywhere in the table, with its strategy.
struct StoredName {
    qint64 id = 0;
    int strategy = -1;
    QString name;
};

class PositionStore
{
public:
    // Opens the file when it holds anything. A missing or empty file is an
    // empty store: reading leaves it as it is, and only the first write
    // creates the file, the table and its indexes.
    explicit PositionStore(
        const QString &file, int busyTimeoutMs = Database::kDefaultBusyTimeoutMs);
    ~PositionStore();

    const QString &file() const { return m_file; }

    // The quick check of every page, for the windows: a damaged file is
    // found when it is opened, not when the damaged row is read.
    void checkPages() const;

    // Names of one strategy in the order they were saved; rows without a
    // name are left out.
    std::vector<NameEntry> names(int strategy) const;
    // True when any row, of any strategy, has exactly this name (compared as
    // given, not trimmed); the row `except` does not count.
    bool nameTaken(const QString &name, std::optional<qint64> except = std::nullopt) const;
    // The first row saved under this name, or under its decomposed form.
    std::optional<StoredName> find(const QString &name) const;
    std::optional<PositionRow> row(qint64 id) const;

    // Writes a new row and answers its key.
    qint64 insert(const PositionRow &row);
    // The Save command's write: the name-clash test (`name` as given and in
    // its decomposed form; the row `replacing`, if any, does not count) and the write in one
    // transaction, so two running copies cannot both take a free name. Replacing deletes that row
    // first; when the write fails the old row is still there. Answers the new key, or nothing when
    // the name is taken.
    std::optional<qint64> saveUnlessTaken(
        const QString &name, std::optional<qint64> replacing, const PositionRow &row);
    // Deletes the rows in the order given, all or none.
    void remove(const std::vector<qint64> &ids);

private:
    // The open file with its table, or nothing while there is none to read.
    const Database *reader() const;
    // The open file, created when missing, with its table and indexes.
    Database &writer();
    qint64 insertRow(const PositionRow &row);

    QString m_file;
    int m_busyTimeoutMs;
    mutable std::unique_ptr<Database> m_db;
    mutable bool m_hasTable = false;
    bool m_schemaComplete = false;
};

} // namespace velmora
