#pragma once
// What Save and Open make of a typed name: the name a row stores and looks
// up, the names the store refuses because nothing of them, or a part of them,
// can be seen, and the look by which two names are taken for one another in
// the lists. Unicode's rules come from ICU: its composed form (NFC) and its
// confusable skeletons (UTS #39).

#include "core/Message.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace velmora
{

// Unicode's space characters (a no-break or a thin space) as a plain space,
// trimmed, and in the composed form, so that "café" typed either way, or
// "AAPL Jan" with a no-break space, is one name.
QString positionName(const QString &typed);

// The forms of a name another row may hold it in: existing rows keep their
// names as stored, decomposed ones included.
QStringList storedForms(const QString &name);

// Why the name cannot be saved: a control character (line break, tab), an
// invisible one (a zero-width space, a filler, a joiner or a variation
// selector outside an emoji, half of a surrogate pair), a character with no
// agreed look (private use, unassigned, a noncharacter), or nothing visible
// at all (combining accents alone).
std::optional<Message> nameRefusal(const QString &name);

// The look of a name as positionName() gives it: two names with one look
// cannot be told apart on screen ("аррӏе" in Cyrillic and "apple").
QString nameLook(const QString &name);
// A hash of a look, and the same hash of the look a stored name (in UTF-8,
// as the file holds it) has as positionName() gives it: the file's names are
// hashed in one pass without a string for each.
size_t lookHash(QStringView look);
size_t storedLookHash(QByteArrayView utf8);

// A stored name on one line of a listing: line breaks, tabs, other control
// characters and the backslash written as escapes (\n, \t, \\).
QString printableName(const QString &stored);

} // namespace velmora
