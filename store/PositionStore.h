#pragma once
// The saved positions: the table Chart of the encrypted file, with the reads
// and writes the program needs. Every value reaches SQL as a bound parameter,
// so a name may hold any text. Failures are thrown as DatabaseError
// (store/Database.h).

#include "store/Database.h"
#include "store/PositionRow.h"

#include <QString>

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
    // Opens the file, creating it, the table and its indexes on first use.
    explicit PositionStore(
        const QString &file, int busyTimeoutMs = Database::kDefaultBusyTimeoutMs);

    const QString &file() const { return m_db.file(); }

    // Names of one strategy in the order they were saved; rows without a
    // name are left out.
    std::vector<NameEntry> names(int strategy) const;
    // True when any row, of any strategy, has exactly this name (compared as
    // given, not trimmed); the row `except` does not count.
    bool nameTaken(const QString &name, std::optional<qint64> except = std::nullopt) const;
    // The first row saved under this name, if any.
    std::optional<StoredName> find(const QString &name) const;
    std::optional<PositionRow> row(qint64 id) const;

    // Writes a new row and answers its key.
    qint64 insert(const PositionRow &row);
    // The Save command's write: the name-clash test (`name` as given; the row
    // `replacing`, if any, does not count) and the write in one transaction,
    // so two running copies cannot both take a free name. Replacing deletes
    // that row first; when the write fails the old row is still there.
    // Answers the new key, or nothing when the name is taken.
    std::optional<qint64> saveUnlessTaken(
        const QString &name, std::optional<qint64> replacing, const PositionRow &row);
    // Deletes the rows in the order given, all or none.
    void remove(const std::vector<qint64> &ids);

private:
    void createMissingSchema();
    qint64 insertRow(const PositionRow &row);
    void requireWritable() const;

    Database m_db;
};

} // namespace velmora
