#pragma once
// The menu bar of the main window: File (New, open, Delete, Save, Export
// Chart..., Export Table..., Exit), Edit (Copy), View (Analysis...), Print
// (Graph, Print Preview...) and About. Each menu and
// item is a QAction named after its control (F_Nw, P_Graph, ...); the window
// connects them to its handlers.

#include <QHash>
#include <QString>

class QAction;
class QMenuBar;

namespace velmora
{

using MenuActions = QHash<QString, QAction *>;

MenuActions buildMainMenu(QMenuBar *bar);

} // namespace velmora
