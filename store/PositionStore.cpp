#include "store/PositionStore.h"

#include "core/Catalogue.h"

#include <QSet>

#include <stdexcept>

namespace velmora
{

namespace
{

constexpr char kCreateTable[] = "CREATE TABLE Chart ("
                                "ID INTEGER PRIMARY KEY AUTOINCREMENT, sID INTEGER, fName TEXT, "
                                "cTime TEXT, lSmb TEXT, rSmb TEXT, stoP TEXT, shr TEXT, "
                                "cSym1 TEXT, cSym2 TEXT, cSym3 TEXT, "
                                "strP1 TEXT, strP2 TEXT, strP3 TEXT, cp1 TEXT, cp2 TEXT, cp3 TEXT, "
                                "cts1 TEXT, cts2 TEXT, cts3 TEXT, ctsRo TEXT, tcts1 TEXT, "
                                "tcts2 TEXT)";

struct SchemaItem {
    const char *name;
    const char *sql;
};

// Listing one strategy and the name-clash test both stay fast on a large file.
constexpr SchemaItem kIndexes[] = {
    {"ChartSID", "CREATE INDEX ChartSID ON Chart (sID, ID, fName)"},
    {"ChartFName", "CREATE INDEX ChartFName ON Chart (fName)"},
};

} // namespace

PositionStore::PositionStore(const QString &file, int busyTimeoutMs)
    : m_db(file, busyTimeoutMs)
{
    createMissingSchema();
}

void PositionStore::createMissingSchema()
{
    QSet<QString> present;
    Statement query = m_db.prepare("SELECT lower(name) FROM sqlite_master");
    while (query.step())
        present.insert(query.text(0).value_or(QString()));

    const bool hasTable = present.contains(QStringLiteral("chart"));
    std::vector<const char *> missing;
    if (!hasTable)
        missing.push_back(kCreateTable);
    for (const SchemaItem &index : kIndexes) {
        if (!present.contains(QString::fromLatin1(index.name).toLower()))
            missing.push_back(index.sql);
    }
    if (missing.empty())
        return;
    if (m_db.isReadOnly()) {
        // Indexes only speed things up; a table is needed.
        if (!hasTable)
            requireWritable();
        return;
    }
    Transaction transaction(m_db);
    for (const char *sql : missing)
        m_db.execute(sql);
    transaction.commit();
}

void PositionStore::requireWritable() const
{
    if (m_db.isReadOnly())
        throw DatabaseError(m_db.file(), QStringLiteral("it is read-only"));
}

std::vector<NameEntry> PositionStore::names(int strategy) const
{
    Statement query = m_db.prepare("SELECT ID, fName FROM Chart WHERE sID = ?1 ORDER BY ID");
    query.bind(1, qint64(strategy));
    std::vector<NameEntry> entries;
    while (query.step()) {
        const std::optional<QString> name = query.text(1);
        if (name)
            entries.push_back({query.integer(0).value_or(0), *name});
    }
    return entries;
}

bool PositionStore::nameTaken(const QString &name, std::optional<qint64> except) const
{
    Statement query
        = m_db.prepare(except ? "SELECT 1 FROM Chart WHERE fName = ?1 AND ID <> ?2 LIMIT 1"
                              : "SELECT 1 FROM Chart WHERE fName = ?1 LIMIT 1");
    query.bind(1, name);
    if (except)
        query.bind(2, *except);
    return query.step();
}

std::optional<StoredName> PositionStore::find(const QString &name) const
{
    Statement query
        = m_db.prepare("SELECT ID, sID FROM Chart WHERE fName = ?1 ORDER BY ID LIMIT 1");
    query.bind(1, name);
    if (!query.step())
        return std::nullopt;
    return StoredName {query.integer(0).value_or(0), int(query.integer(1).value_or(-1)), name};
}

std::optional<PositionRow> PositionStore::row(qint64 id) const
{
    Statement query = m_db.prepare("SELECT * FROM Chart WHERE ID = ?1");
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
    Statement insert = m_db.prepare(sql.constData());
    insert.bind(1, row.name).bind(2, qint64(row.strategy)).bind(3, row.savedAt);
    position = 3;
    for (const ColumnValue &entry : row.values)
        insert.bind(++position, entry.value);
    insert.step();
    return m_db.lastInsertId();
}

qint64 PositionStore::insert(const PositionRow &row)
{
    requireWritable();
    Transaction transaction(m_db);
    const qint64 id = insertRow(row);
    transaction.commit();
    return id;
}

std::optional<qint64> PositionStore::saveUnlessTaken(
    const QString &name, std::optional<qint64> replacing, const PositionRow &row)
{
    requireWritable();
    Transaction transaction(m_db);
    if (nameTaken(name, replacing))
        return std::nullopt;
    if (replacing) {
        Statement remove = m_db.prepare("DELETE FROM Chart WHERE ID = ?1");
        remove.bind(1, *replacing).step();
    }
    const qint64 id = insertRow(row);
    transaction.commit();
    return id;
}

void PositionStore::remove(const std::vector<qint64> &ids)
{
    requireWritable();
    Transaction transaction(m_db);
    Statement remove = m_db.prepare("DELETE FROM Chart WHERE ID = ?1");
    for (const qint64 id : ids) {
        remove.bind(1, id).step();
        remove.reset();
    }
    transaction.commit();
}

} // namespace velmora
