#pragma once
// The saved positions: the table Chart of the encrypted file, with the reads
// and writes the program needs. Every value reaches SQL as a bound parameter,
// so a name may hold any text. Failures are thrown as DatabaseError
// (store/Database.h).

#include "store/Database.h"
#include "store/PositionRow.h"
#include "store/SharedDatabase.h"

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

// What a save answers: the new row's key, or the stored name the new one
// cannot be told from.
struct SaveResult {
    qint64 id = 0;
    std::optional<NameEntry> clash;
    bool sameName = false; // the clashing row holds this very name, as Save stores it
};

class PositionStore
{
public:
    enum class Connection {
        Own, // opened for this store and closed with it
        Kept, // the run's connection to the file, kept for the next store
    };

    // Opens the file when it holds anything. A missing or empty file is an empty store:
    // reading leaves it as it is, and only the first write creates the file,
    // the table and its indexes.
    explicit PositionStore(const QString &file, Connection connection = Connection::Own,
        int busyTimeoutMs = Database::kDefaultBusyTimeoutMs);
    ~PositionStore();

    const QString &file() const { return m_file; }

    // The quick check of every page: the windows run it when they open, and
    // the first write of a run runs it before it changes anything, so that
    // nothing is saved into a damaged file.
    void checkPages() const;

    // Names of one strategy in the order they were saved; rows without a
    // name are left out.
    std::vector<NameEntry> names(int strategy) const;
    // The first row saved under this name (as positionName() gives it), or
    // under its decomposed form, or with blanks after it as earlier versions
    // stored it.
    std::optional<StoredName> find(const QString &name) const;
    std::optional<PositionRow> row(qint64 id) const;

    // Writes a new row and answers its key.
    qint64 insert(const PositionRow &row);
    // The Save command's write: the name-clash test (any stored name that
    // looks like `name`, see nameLook(); the row `replacing`, if any, does not
    // count) and the write in one transaction, so two running copies cannot
    // both take a free name. Replacing deletes that row first; when the write
    // fails the old row is still there.
    SaveResult saveUnlessTaken(
        const QString &name, std::optional<qint64> replacing, const PositionRow &row);
    // Deletes the rows in the order given, all or none.
    void remove(const std::vector<qint64> &ids);

private:
    // The open file with its table, or nothing while there is none to read.
    const Database *reader() const;
    // The open file, created when missing, with its table and indexes; its
    // pages checked once a run before the first write.
    Database &writer();
    void completeSchema();
    qint64 insertRow(const PositionRow &row);

    void open() const;

    QString m_file;
    Connection m_connection;
    int m_busyTimeoutMs;
    mutable std::shared_ptr<SharedDatabase> m_open;
    mutable Database *m_db = nullptr; // m_open's
    mutable bool m_hasTable = false;
    bool m_schemaComplete = false;
};

} // namespace velmora
