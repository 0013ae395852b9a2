#pragma once
// The application's style: the platform's own, except that the menu bar's
// overflow button gets no stock icon (the three menus always fit), which
// would be read at start-up for a button that never shows. Menus and dialogs
// use the window's regular type.

class QApplication;

namespace velmora
{

void useProgramStyle(QApplication &app);

} // namespace velmora
