#pragma once
// Helpers shared by the store tests: fresh files under a temporary folder,
// their raw bytes, and a filled-in position per strategy.

#include "store/Database.h"

#include "core/ControlId.h"
#include "core/Workspace.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <utility>
#include <vector>

namespace velmora::testing
{

// A file named after the running test, gone if an earlier run left it.
inline QString freshFile(const QTemporaryDir &dir, const QString &prefix = {})
{
    const QString file = dir.filePath(
        prefix + QString::fromLatin1(QTest::currentTestFunction()) + QStringLiteral(".mdb"));
    QFile::remove(file);
    return file;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// Runs SQL on the file with the program's key, around the store (to plant
// rows the program would never write, triggers, locks).
inline void runKeyed(const QString &path, const char *sql)
{
    Database(path).execute(sql);
}

// The cause of the DatabaseError the call throws; empty when it succeeds.
template<typename Call>
QString failureCause(Call &&call)
{
    try {
        call();
    } catch (const DatabaseError &error) {
        return error.cause();
    }
    return QString();
}

using FieldTexts = std::vector<std::pair<ControlId, QString>>;

// Typed fields of one position of each strategy, numbers already in the
// shortest form the store writes back.
inline FieldTexts typedPosition(int strategy)
{
    switch (strategy) {
    case 0:
        return {{at("Text4", 0), "IBM"}, {at("Text4", 1), "52.5"}, {at("Text4", 2), "300"},
            {at("Text5", 0), "IBMAJ"}, {at("Text5", 1), "50"}, {at("Text5", 2), "3.25"}};
    case 1:
        return {{at("txtRatioBuy", 0), "MSFT"}, {at("txtRatioBuy", 1), "41"},
            {at("txtRatioBuy", 2), "300"}, {at("txtRatioSell", 0), "MSQ"},
            {at("txtRatioSell", 1), "45"}, {at("txtRatioSell", 2), "1.75"}};
    case 2:
        return {{at("Text2", 0), "ACME"}, {at("Text2", 2), "ACA"}, {at("Text2", 3), "40"},
            {at("Text2", 4), "3"}, {at("Text2", 5), "4"}, {at("Text3", 0), "ACB"},
            {at("Text3", 1), "45"}, {at("Text3", 2), "1.25"}};
    case 3:
        return {{at("Text6", 0), "XYZ"}, {at("Text6", 2), "XA"}, {at("Text6", 3), "10"},
            {at("Text6", 4), "2.5"}, {at("Text6", 5), "3"}, {at("Text7", 0), "XB"},
            {at("Text7", 1), "12.5"}, {at("Text7", 2), "1.2"}, {at("Text8", 0), "XC"},
            {at("Text8", 2), "0.4"}};
    default:
        return {{at("Text9", 0), "QQQ"}, {at("Text9", 2), "QA"}, {at("Text9", 3), "100"},
            {at("Text9", 4), "6.5"}, {at("Text9", 5), "3"}, {at("Text10", 0), "QB"},
            {at("Text10", 1), "110"}, {at("Text10", 2), "2.1"}};
    }
}

// A loaded workspace with the strategy selected and the position typed in;
// the ratio strategies get a ratio other than the first.
inline void typePosition(Workspace &workspace, int strategy)
{
    workspace.load();
    workspace.setStrategy(strategy);
    if (strategy == 1)
        workspace.chooseRatio(1);
    if (strategy == 4)
        workspace.chooseRatioSpread(1);
    for (const auto &[field, text] : typedPosition(strategy))
        workspace.setText(field, text);
}

} // namespace velmora::testing
