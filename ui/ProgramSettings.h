#pragma once
// The program's settings: one file for every window and both programs
// (~/.config/velmora/velmora.conf on Linux), and the folder exports start in.

#include <QSettings>
#include <QString>
#include <QVariant>

namespace velmora
{

QSettings programSettings();

// A stored value, or the fallback; a value the analysis window kept in a file
// of its own before there was one file is still read from there.
QVariant storedSetting(const QString &key, const QVariant &fallback);

// The folder of the last export; the Documents folder (or home) before the first.
QString exportFolder();
// Keeps the folder of an exported file for the next export.
void rememberExportFolder(const QString &file);

} // namespace velmora
