#pragma once
// What the Open/Save and Clean Up windows share: opening the position file
// when they load, their strategy list, and their list of saved names whose
// items carry the rows' keys.

#include "core/Message.h"

#include <memory>

class QComboBox;
class QListWidget;
class QWidget;

namespace velmora
{

class PositionStore;

// The store on the file, its pages checked, or nothing after showing once
// why the file cannot be used.
std::unique_ptr<PositionStore> openStore(const QString &file, MessageBoxes &boxes);

// The five strategy names with nothing selected yet, so that the window's
// first choice counts as a change.
QComboBox *strategyList(QWidget *parent);

// The list is emptied first. A database failure is shown and leaves it empty.
void fillNames(QListWidget *list, const PositionStore &store, int strategy, MessageBoxes &boxes);
// The key the item carries.
qint64 itemKey(const QListWidget *list, int row);

} // namespace velmora
