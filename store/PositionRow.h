#pragma once
// One row of the table Chart as the program reads and writes it: the
// strategy, the name, the moment of saving and the columns the strategy
// fills. A column that holds NULL reads as nothing.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace velmora
{

// The columns a position may fill, in table order (after ID, sID, fName, cTime).
const QStringList &positionColumns();

// The table's own spelling of a column name given in any case; nothing for a
// name that is not a position column.
std::optional<QString> canonicalColumn(QStringView name);

struct ColumnValue {
    QString column;
    std::optional<QString> value;
    friend bool operator==(const ColumnValue &, const ColumnValue &) = default;
};

struct PositionRow {
    qint64 id = 0; // ID; 0 until the row is stored
    int strategy = -1; // sID; -1 when the column is NULL
    std::optional<QString> name; // fName
    QString savedAt; // cTime, local date and time
    std::vector<ColumnValue> values; // in the order they are written

    // The value of a column, its name matched without regard to case.
    std::optional<QString> value(QStringView column) const;
};

// A saved name as the lists show it: the row's key and its name.
struct NameEntry {
    qint64 id = 0;
    QString name;
    friend bool operator==(const NameEntry &, const NameEntry &) = default;
};

} // namespace velmora
