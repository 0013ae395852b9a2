#pragma once
// Both store windows give their controls' places in twips, as the program
// always has; this puts a control there.

#include "chart/Twips.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>

#include <utility>

namespace velmora
{

// A control with its program name, so tests and tools find it by that name.
template<typename Control, typename... Args>
Control *namedControl(QWidget *parent, const char *name, Args &&...args)
{
    auto *control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// Captions were measured for a narrower system font than today's; a caption
// is never cut short, it grows to the width its text needs.
inline void placeTwips(QWidget *control, int left, int top, int width, int height)
{
    int pixelWidth = twipsToPixels(width);
    if (qobject_cast<QLabel *>(control))
        pixelWidth = std::max(pixelWidth, control->sizeHint().width());
    control->setGeometry(
        twipsToPixels(left), twipsToPixels(top), pixelWidth, twipsToPixels(height));
}

// The store windows were laid out for an 8.25-point system font; captions
// and lists keep to that size so they fit the places above.
inline void sizeTwips(QWidget *window, int width, int height)
{
    QFont font = window->font();
    font.setPointSizeF(8.25);
    window->setFont(font);
    window->setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

} // namespace velmora
