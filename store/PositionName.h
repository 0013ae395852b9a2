#pragma once
// What Save and Open make of a typed name: the name a row stores and looks
// up, and the names the store refuses because they cannot be told apart
// from others on screen or in a listing of one name a line.

#include "core/Message.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora
{

// Trimmed and in Unicode's composed form (NFC), so that "café" typed either
// way is one name.
QString positionName(const QString &typed);

// The forms of a name another row may hold it in: existing rows keep their
// names as stored, decomposed ones included.
QStringList storedForms(const QString &name);

// Why the name cannot be saved: a control character (line break, tab, any
// C0 or C1 code), an invisible format character (a zero-width space), or
// letters of two scripts that look alike (a Cyrillic "а" among Latin ones).
std::optional<Message> nameRefusal(const QString &name);

} // namespace velmora
