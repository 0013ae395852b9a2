#pragma once
// The name of one control of the main window as the program and its users
// write it: an element of a control array ("Text4(2)", "txtRatioSell(5)") or
// a single control ("Text1", "cmbRatio", "txtValue").

#include <QHashFunctions>
#include <QString>

#include <optional>

namespace velmora
{

struct ControlId {
    QString name;
    int index = -1; // -1 for a control that is not an array element

    bool isArrayElement() const { return index >= 0; }
    QString toString() const;
    // Parses "Text4(2)" or "cmbRatio"; nothing for a malformed name.
    static std::optional<ControlId> parse(const QString &text);

    friend bool operator==(const ControlId &, const ControlId &) = default;
};

inline size_t qHash(const ControlId &id, size_t seed = 0)
{
    return qHashMulti(seed, id.name, id.index);
}

// Shorthand for the tables of the program: at("Text4", 2), single("Text1").
inline ControlId at(const char *array, int index)
{
    return {QString::fromLatin1(array), index};
}
inline ControlId single(const char *name)
{
    return {QString::fromLatin1(name), -1};
}

} // namespace velmora
