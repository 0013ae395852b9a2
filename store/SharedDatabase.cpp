#include "store/SharedDatabase.h"

#include <QFile>
#include <QFileInfo>

#include <map>
#include <mutex>

#include <sys/stat.h>

namespace velmora
{

namespace
{

constexpr int kSaltBytes = 16; // SQLCipher's salt opens the file

// What tells one file at a path from another put there since.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    QByteArray salt;
    bool writable = false;
    bool sameFile(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode && salt == other.salt;
    }
};

std::optional<FileStamp> stampOf(const QString &file)
{
    struct stat status {
    };
    if (::stat(QFile::encodeName(file).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return FileStamp {status.st_dev, status.st_ino, f.read(kSaltBytes),
        (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0};
}

struct Kept {
    FileStamp stamp;
    std::shared_ptr<SharedDatabase> shared;
};

std::mutex g_mutex;

std::map<QString, Kept> &kept()
{
    static std::map<QString, Kept> connections;
    return connections;
}

QString keyOf(const QString &file)
{
    return QFileInfo(file).absoluteFilePath();
}

} // namespace

std::shared_ptr<SharedDatabase> sharedDatabase(const QString &file, int busyTimeoutMs, bool keep)
{
    std::lock_guard lock(g_mutex);
    const std::optional<FileStamp> stamp = stampOf(file);
    auto found = kept().find(keyOf(file));
    // A connection to a file since deleted or replaced is closed before any
    // other opens the path: it takes its side files, named after the path,
    // with it, and the new file must not take them up as its own.
    if (found != kept().end() && !(stamp && found->second.stamp.sameFile(*stamp))) {
        kept().erase(found);
        found = kept().end();
    }
    const bool writable = stamp && stamp->writable;
    if (keep && writable && found != kept().end()) {
        found->second.shared->db->setBusyTimeout(busyTimeoutMs);
        return found->second.shared;
    }
    auto shared = std::make_shared<SharedDatabase>();
    shared->db = std::make_unique<Database>(file, busyTimeoutMs);
    // An empty file has no salt yet: its connection is kept once it wrote
    // one. One kept for a file now read-only waits for it to be writable.
    if (keep && writable && !stamp->salt.isEmpty())
        kept()[keyOf(file)] = Kept {*stamp, shared};
    return shared;
}

void keepSharedDatabase(const QString &file, const std::shared_ptr<SharedDatabase> &shared)
{
    std::lock_guard lock(g_mutex);
    if (const std::optional<FileStamp> stamp = stampOf(file);
        stamp && stamp->writable && !stamp->salt.isEmpty())
        kept()[keyOf(file)] = Kept {*stamp, shared};
}

} // namespace velmora
