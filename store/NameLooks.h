#pragma once
// The stored names by their look (store/PositionName.h), to find the saved
// name a new one cannot be told from. Built from the whole table at the first
// look-up, kept up to date with this connection's own saves, and built again
// when another copy of the program has written to the file since.

#include "store/PositionRow.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace velmora
{

class Database;

class NameLooks
{
public:
    // The first stored row, other than `except`, whose name looks like
    // `name` (as positionName() gives it); the table Chart must exist.
    std::optional<NameEntry> lookAlike(
        const Database &db, const QString &name, std::optional<qint64> except);
    // A row this connection has just written.
    void added(qint64 id, const QString &name);

private:
    void refresh(const Database &db);

    // The hash of each stored name's look with its row, sorted: a hundred
    // thousand names take 1.6 MB, and a look-up reads only the rows whose
    // looks share the hash.
    std::vector<std::pair<size_t, qint64>> m_rows;
    std::optional<qint64> m_dataVersion; // of the file when the map was built
};

} // namespace velmora
