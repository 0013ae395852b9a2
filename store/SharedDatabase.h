#pragma once
// One open connection per position file for the rest of the run. SQLCipher
// derives a file's key from the password when a connection first reads it,
// which is what makes a stolen file slow to attack and costs each new
// connection that much; the Open/Save and Clean Up windows open the file at
// every showing, so they reuse the connection instead. It is reused only
// while the path names the file it opened (the same inode and salt) and that
// file is writable: a read-only file gets a connection of its own each time,
// since reading it must leave nothing behind.

#include "store/Database.h"
#include "store/NameLooks.h"

#include <QString>

#include <memory>

namespace velmora
{

struct SharedDatabase {
    std::unique_ptr<Database> db;
    NameLooks looks;
    bool pagesChecked = false; // the quick check passed on this connection
};

// A connection to the file: the kept one when `keep` and there is one that
// fits, else a new one, kept when `keep`.
std::shared_ptr<SharedDatabase> sharedDatabase(const QString &file, int busyTimeoutMs, bool keep);
// The connection is the file's again after it wrote the file's first page.
void keepSharedDatabase(const QString &file, const std::shared_ptr<SharedDatabase> &shared);

} // namespace velmora
