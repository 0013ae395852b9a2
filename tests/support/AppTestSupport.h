#pragma once
// Helpers shared by the workspace and main window tests.

#include "core/ControlId.h"

#include <QTest>

namespace velmora::testing
{

// A control named as in the code, e.g. "Text4(2)" or "Text1".
inline ControlId id(const QString &text)
{
    const std::optional<ControlId> parsed = ControlId::parse(text);
    Q_ASSERT(parsed);
    return *parsed;
}

inline QString cell(const char *text)
{
    return QString::fromLatin1(text);
}

inline int cell(int value)
{
    return value;
}

inline bool cell(bool value)
{
    return value;
}

// A named data row whose text cells are written as plain literals.
template<typename... Cells>
void addRow(const char *name, Cells... cells)
{
    QTestData &row = QTest::newRow(name);
    ((row << cell(cells)), ...);
}

} // namespace velmora::testing
