#pragma once
// Colours and fonts of the main window and its fields.

#include <QColor>
#include <QFont>
#include <QRect>

#include "chart/Twips.h"

namespace velmora::look
{

inline QColor windowBackground()
{
    return {255, 192, 192};
}
inline QColor symbolBackground()
{
    return {255, 128, 128};
}
inline QColor focusBackground()
{
    return {255, 128, 0};
}
inline QColor graphButton()
{
    return {192, 192, 192};
}

// The system colours the fields fall back to, taken from the style rather
// than from the window, whose palette is tinted.
QColor systemWindow(); // background of a text box
QColor systemWindowText(); // its text
QColor systemMenu(); // background of the read-only computed fields

// 9.75 point, the size of every caption and entry.
QFont font(bool bold, double points = 9.75);
QFont buttonFont();

// The width a window needs to show its title uncut: the caption text in the
// application's font, bold, and room for the caption's icon and buttons.
int titleWidth(const QString &title);

// The control arrays whose fields are in regular type until they first get
// the focus; every other field is bold throughout.
bool regularUntilFocused(const QString &array);

// A rectangle given in twips, in logical pixels.
inline QRect rect(double left, double top, double width, double height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace velmora::look
