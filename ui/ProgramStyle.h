#pragma once
// The application's style: the platform's own, except that the menu bar's
// overflow button gets no stock icon. The three menus always fit, and that
// one icon alone makes Qt load every image-format plugin at start-up.

class QApplication;

namespace velmora
{

void useProgramStyle(QApplication &app);

} // namespace velmora
