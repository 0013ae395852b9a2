#pragma once
// Filling a list box of either store window with the saved names of one
// strategy, each item carrying its row's key.

#include "app/Message.h"

class QListWidget;

namespace velmora
{

class PositionStore;

// The list is emptied first. A database failure is shown and leaves it empty.
void fillNames(QListWidget *list, const PositionStore &store, int strategy, MessageBoxes &boxes);
// The key the item carries.
qint64 itemKey(const QListWidget *list, int row);

} // namespace velmora
