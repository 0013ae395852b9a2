#pragma once
// Both store windows give their controls' places in twips, as the program
// always has; this puts a control there.

#include "app/Twips.h"

#include <QWidget>

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

inline void placeTwips(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(
        twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

inline void sizeTwips(QWidget *window, int width, int height)
{
    window->setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

} // namespace velmora
