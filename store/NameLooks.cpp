#include "store/NameLooks.h"

#include "store/Database.h"
#include "store/PositionName.h"

#include <algorithm>
#include <limits>

namespace velmora
{

namespace
{

// The look a stored name has on screen: rows of earlier versions may hold it
// with blanks around it, decomposed or with other spaces.
QString storedLook(const QString &stored)
{
    return nameLook(positionName(stored));
}

} // namespace

void NameLooks::refresh(const Database &db)
{
    // It changes whenever another connection commits to the file.
    Statement version = db.prepare("PRAGMA data_version");
    const std::optional<qint64> now = version.step() ? version.integer(0) : std::nullopt;
    if (m_dataVersion && now == m_dataVersion)
        return;
    m_rows.clear();
    // From the index of names alone: every text is at least the empty one.
    Statement rows = db.prepare("SELECT ID, fName FROM Chart WHERE fName >= ''");
    while (rows.step())
        m_rows.emplace_back(storedLookHash(rows.utf8(1)), rows.integer(0).value_or(0));
    std::sort(m_rows.begin(), m_rows.end());
    m_dataVersion = now;
}

std::optional<NameEntry> NameLooks::lookAlike(
    const Database &db, const QString &name, std::optional<qint64> except)
{
    refresh(db);
    const QString look = nameLook(name);
    const size_t hash = lookHash(look);
    const auto first = std::lower_bound(
        m_rows.begin(), m_rows.end(), std::pair(hash, std::numeric_limits<qint64>::min()));
    std::optional<NameEntry> found;
    // This connection's own deletions stay in the map: each row is read again.
    Statement row = db.prepare("SELECT fName FROM Chart WHERE ID = ?1");
    for (auto it = first; it != m_rows.end() && it->first == hash; ++it) {
        if (it->second == except || (found && found->id < it->second))
            continue;
        row.bind(1, it->second);
        if (row.step()) {
            const QString stored = row.text(0).value_or(QString());
            if (storedLook(stored) == look)
                found = NameEntry {it->second, stored};
        }
        row.reset();
    }
    return found;
}

void NameLooks::added(qint64 id, const QString &name)
{
    if (!m_dataVersion)
        return;
    const std::pair entry(lookHash(storedLook(name)), id);
    m_rows.insert(std::upper_bound(m_rows.begin(), m_rows.end(), entry), entry);
}

} // namespace velmora
