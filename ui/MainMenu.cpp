#include "ui/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace velmora
{

namespace
{

QAction *named(QAction *action, const char *name, MenuActions &actions)
{
    action->setObjectName(QString::fromLatin1(name));
    actions.insert(action->objectName(), action);
    return action;
}

} // namespace

MenuActions buildMainMenu(QMenuBar *bar)
{
    MenuActions actions;
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("F_s"));
    named(file->menuAction(), "F_s", actions);
    named(file->addAction(QStringLiteral("New")), "F_Nw", actions);
    named(file->addAction(QStringLiteral("open")), "F_Open", actions);
    named(file->addAction(QStringLiteral("Delete")), "F_Rem", actions);
    named(file->addSeparator(), "s1", actions);
    named(file->addAction(QStringLiteral("Save")), "F_Save", actions);
    named(file->addAction(QStringLiteral("Export Chart...")), "F_Export", actions)
        ->setEnabled(false);
    named(file->addAction(QStringLiteral("Export Table...")), "F_ExportTable", actions)
        ->setEnabled(false);
    named(file->addAction(QStringLiteral("Export Report...")), "F_ExportReport", actions);
    named(file->addSeparator(), "s2", actions);
    named(file->addAction(QStringLiteral("E&xit")), "F_Exit", actions);

    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("E"));
    named(edit->menuAction(), "E", actions);
    QAction *copy = named(edit->addAction(QStringLiteral("Copy")), "E_Copy", actions);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(false); // the fields copy their own text outside chart mode

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("V"));
    named(view->menuAction(), "V", actions);
    named(view->addAction(QStringLiteral("Analysis...")), "V_Analysis", actions);

    QMenu *print = bar->addMenu(QStringLiteral("&Print"));
    print->setObjectName(QStringLiteral("P"));
    named(print->menuAction(), "P", actions);
    named(print->addAction(QStringLiteral("Graph")), "P_Graph", actions)->setEnabled(false);
    named(print->addAction(QStringLiteral("Print Preview...")), "P_Preview", actions)
        ->setEnabled(false);

    named(bar->addAction(QStringLiteral("&About")), "A", actions);
    return actions;
}

} // namespace velmora
