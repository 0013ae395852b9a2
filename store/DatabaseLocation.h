#pragma once
// Where the position file lives: "CH.mdb" beside the program when that folder
// is writable and not an installed bin folder, otherwise in the user's
// application data folder. A path set with
// setDatabasePath() takes precedence, for tests and for velmora-chart --db.

#include <QString>

namespace velmora
{

// The file the dialogs and the command line use.
QString databasePath();
// The default choice described above; creates the data folder when needed.
QString defaultDatabasePath();
// An empty path returns to the default.
void setDatabasePath(const QString &file);

} // namespace velmora
