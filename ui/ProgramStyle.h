#pragma once
// The application's style: the platform's own, with two changes that keep Qt
// from loading every image-format plugin at start-up: the menu bar's overflow
// button gets no stock icon (the three menus always fit), and Fusion's group
// frame is drawn from code instead of from its bitmap. Menus and dialogs use
// the window's regular type.

class QApplication;

namespace velmora
{

void useProgramStyle(QApplication &app);

} // namespace velmora
