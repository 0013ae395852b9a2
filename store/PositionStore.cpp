#include "store/PositionStore.h"

#include "store/PositionName.h"

#include "core/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <stdexcept>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora
{

namespace
{

// The table as the program has always created it; the position columns are
// those of positionColumns(), in its order.
QByteArray createTableSql()
{
    QStringList columns;
    for (const QString &column : positionColumns())
        columns << column + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS Chart (ID INTEGER PRIMARY KEY "
                          "AUTOINCREMENT, sID INTEGER, fName TEXT, cTime TEXT, %1)")
        .arg(columns.join(QStringLiteral(", ")))
        .toUtf8();
}

// Listing one strategy and the name-clash test both stay fast on a large file.
constexpr const char *kCreateIndexes[] = {
    "CREATE INDEX IF NOT EXISTS ChartSID ON Chart (sID, ID, fName)",
    "CREATE INDEX IF NOT EXISTS ChartFName ON Chart (fName)",
};

// A missing or empty file has nothing to read, and opening it would create
// it. A missing folder, or anything but a file in the file's place, is
// opened all the same so that the cause is reported.
bool worthOpening(const QString &file)
{
    const QFileInfo info(file);
    return info.size() > 0 || (info.exists() && !info.isFile()) || !info.absoluteDir().exists();
}

// Held by the first save into a missing or empty file until its first page
// is written. SQLCipher takes a connection's salt from the file when it is
// keyed, and makes one up for an empty file: two copies saving their first
// positions at once would each write with a salt of its own, and one would
// find the other's pages unreadable. The second waits here instead and keys
// its connection once the file has its salt.
class FirstWriteLock
{
public:
    explicit FirstWriteLock(const QString &file)
        : m_fd(::open(QFile::encodeName(file).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644))
    {
        while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
    }
    ~FirstWriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FirstWriteLock(const FirstWriteLock &) = delete;
    FirstWriteLock &operator=(const FirstWriteLock &) = delete;

private:
    int m_fd;
};

// Blanks earlier versions left after a name.
constexpr QChar kFirstBlank = u'\t';
constexpr QChar kPastBlanks = u'!';

bool hasChartTable(const Database &db)
{
    Statement query
        = db.prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND lower(name) = 'chart'");
    return query.step();
}

} // namespace

PositionStore::PositionStore(const QString &file, Connection connection, int busyTimeoutMs)
    : m_file(file)
    , m_connection(connection)
    , m_busyTimeoutMs(busyTimeoutMs)
{
    reader(); // an unusable file is reported now, not at the first list
}

PositionStore::~PositionStore() = default;

void PositionStore::open() const
{
    m_open = sharedDatabase(m_file, m_busyTimeoutMs, m_connection == Connection::Kept);
    m_db = m_open->db.get();
}

const Database *PositionStore::reader() const
{
    if (!m_db) {
        if (!worthOpening(m_file))
            return nullptr;
        open();
    }
    if (!m_hasTable)
        m_hasTable = hasChartTable(*m_db);
    return m_hasTable ? m_db : nullptr;
}

Database &PositionStore::writer()
{
    if (!m_db) {
        const FirstWriteLock lock(m_file);
        open();
        completeSchema();
        if (m_connection == Connection::Kept)
            keepSharedDatabase(m_file, m_open);
        return *m_db;
    }
    completeSchema();
    return *m_db;
}

void PositionStore::completeSchema()
{
    if (m_db->isReadOnly())
        throw DatabaseError(m_file, QStringLiteral("it is read-only"));
    if (!m_open->pagesChecked)
        checkPages();
    m_db->prepareForWriting();
    if (!m_schemaComplete) {
        // Another copy may be creating it too; IF NOT EXISTS lets both pass.
        Transaction transaction(*m_db);
        m_db->execute(createTableSql().constData());
        for (const char *sql : kCreateIndexes)
            m_db->execute(sql);
        transaction.commit();
        m_schemaComplete = m_hasTable = true;
    }
}

void PositionStore::checkPages() const
{
    reader();
    if (!m_db)
        return;
    Statement check = m_db->prepare("PRAGMA quick_check");
    // One row "ok", or one row per fault found.
    if (!check.step() || check.text(0) != QStringLiteral("ok"))
        throw DatabaseError(m_file, QStringLiteral("it is damaged"));
    m_open->pagesChecked = true;
}

std::vector<NameEntry> PositionStore::names(int strategy) const
{
    const Database *db = reader();
    if (!db)
        return {};
    Statement query = db->prepare("SELECT ID, fName FROM Chart WHERE sID = ?1 ORDER BY ID");
    query.bind(1, qint64(strategy));
    std::vector<NameEntry> entries;
    while (query.step()) {
        const std::optional<QString> name = query.text(1);
        if (name)
            entries.push_back({query.integer(0).value_or(0), *name});
    }
    return entries;
}

std::optional<StoredName> PositionStore::find(const QString &name) const
{
    const Database *db = reader();
    if (!db)
        return std::nullopt;
    Statement query
        = db->prepare("SELECT ID, sID, fName FROM Chart WHERE fName = ?1 ORDER BY ID LIMIT 1");
    Statement blanksAfter = db->prepare(
        "SELECT ID, sID, fName FROM Chart WHERE fName >= ?1 AND fName < ?2 ORDER BY ID");
    for (const QString &form : storedForms(name)) {
        query.bind(1, form);
        if (query.step()) {
            return StoredName {query.integer(0).value_or(0), int(query.integer(1).value_or(-1)),
                query.text(2).value_or(form)};
        }
        query.reset();
        blanksAfter.bind(1, form + kFirstBlank).bind(2, form + kPastBlanks);
        while (blanksAfter.step()) {
            const QString stored = blanksAfter.text(2).value_or(QString());
            if (positionName(stored) == name) {
                return StoredName {blanksAfter.integer(0).value_or(0),
                    int(blanksAfter.integer(1).value_or(-1)), stored};
            }
        }
        blanksAfter.reset();
    }
    return std::nullopt;
}

std::optional<PositionRow> PositionStore::row(qint64 id) const
{
    const Database *db = reader();
    if (!db)
        return std::nullopt;
    Statement query = db->prepare("SELECT * FROM Chart WHERE ID = ?1");
    query.bind(1, id);
    if (!query.step())
        return std::nullopt;
    PositionRow row;
    for (int c = 0; c < query.columnCount(); ++c) {
        const QString column = query.columnName(c);
        if (column.compare(u"ID", Qt::CaseInsensitive) == 0) {
            row.id = query.integer(c).value_or(0);
        } else if (column.compare(u"sID", Qt::CaseInsensitive) == 0) {
            const std::optional<qint64> strategy = query.integer(c);
            row.strategy
                = strategy && *strategy >= 0 && *strategy < kStrategyCount ? int(*strategy) : -1;
        } else if (column.compare(u"fName", Qt::CaseInsensitive) == 0) {
            row.name = query.text(c);
        } else if (column.compare(u"cTime", Qt::CaseInsensitive) == 0) {
            row.savedAt = query.text(c).value_or(QString());
        } else if (const std::optional<QString> known = canonicalColumn(column)) {
            row.values.push_back({*known, query.text(c)});
        }
    }
    return row;
}

qint64 PositionStore::insertRow(const PositionRow &row)
{
    QString columns = QStringLiteral("fName, sID, cTime");
    QString places = QStringLiteral("?1, ?2, ?3");
    int position = 3;
    for (const ColumnValue &entry : row.values) {
        // Column names come from the fixed list only; values are parameters.
        const std::optional<QString> column = canonicalColumn(entry.column);
        if (!column)
            throw std::invalid_argument("not a column of Chart: " + entry.column.toStdString());
        columns += QStringLiteral(", ") + *column;
        places += QStringLiteral(", ?%1").arg(++position);
    }
    const QByteArray sql
        = QStringLiteral("INSERT INTO Chart (%1) VALUES (%2)").arg(columns, places).toUtf8();
    Statement insert = m_db->prepare(sql.constData());
    insert.bind(1, row.name).bind(2, qint64(row.strategy)).bind(3, row.savedAt);
    position = 3;
    for (const ColumnValue &entry : row.values)
        insert.bind(++position, entry.value);
    insert.step();
    return m_db->lastInsertId();
}

qint64 PositionStore::insert(const PositionRow &row)
{
    Transaction transaction(writer());
    const qint64 id = insertRow(row);
    transaction.commit();
    if (row.name)
        m_open->looks.added(id, *row.name);
    return id;
}

SaveResult PositionStore::saveUnlessTaken(
    const QString &name, std::optional<qint64> replacing, const PositionRow &row)
{
    Transaction transaction(writer());
    SaveResult result;
    result.clash = m_open->looks.lookAlike(*m_db, name, replacing);
    if (result.clash) {
        result.sameName = positionName(result.clash->name) == name;
        return result;
    }
    if (replacing) {
        Statement remove = m_db->prepare("DELETE FROM Chart WHERE ID = ?1");
        remove.bind(1, *replacing).step();
    }
    result.id = insertRow(row);
    transaction.commit();
    if (row.name)
        m_open->looks.added(result.id, *row.name);
    return result;
}

void PositionStore::remove(const std::vector<qint64> &ids)
{
    if (!reader() || ids.empty())
        return; // nothing there to delete
    Transaction transaction(writer());
    Statement remove = m_db->prepare("DELETE FROM Chart WHERE ID = ?1");
    for (const qint64 id : ids) {
        remove.bind(1, id).step();
        remove.reset();
    }
    transaction.commit();
}

} // namespace velmora
