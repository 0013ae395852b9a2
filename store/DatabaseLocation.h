#pragma once
// Where the position file lives: "CH.mdb" beside the program when that folder
// is writable and not an installed bin folder, otherwise in the user's data
// folder under "velmora", for both programs alike. A path set with
// setDatabasePath() takes precedence, for tests and for velmora-chart --db.

#include <QString>

namespace velmora
{

// The file the dialogs and the command line use.
QString databasePath();
// The default choice described above; creates the data folder when needed.
QString defaultDatabasePath();
// The same choice for a program in that folder.
QString defaultDatabasePath(const QString &programDir);
// An empty path returns to the default.
void setDatabasePath(const QString &file);

} // namespace velmora
