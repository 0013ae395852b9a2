#pragma once
// What the Open/Save and Clean Up windows share: opening the position file
// when they load, their strategy list, and their list of saved names whose
// items carry the rows' keys.

#include "core/Message.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QListWidget;
class QWidget;

namespace velmora
{

class PositionStore;

// A window on the position file. When the file cannot be used as the window
// loads, the reason is shown once and exec() returns at once.
class StoreWindow : public QDialog
{
public:
    using QDialog::QDialog;
    ~StoreWindow() override;

    bool isLoaded() const { return m_store != nullptr; }
    int exec() override;

protected:
    // Opens the file, its pages checked; false after showing why it cannot
    // be used.
    bool loadStore(const QString &file, MessageBoxes &boxes);
    PositionStore *store() const { return m_store.get(); }

private:
    std::unique_ptr<PositionStore> m_store;
};

// The five strategy names with nothing selected yet, so that the window's
// first choice counts as a change.
QComboBox *strategyList(QWidget *parent);

// Names the list of saved names, which has no caption on screen.
void nameNameList(QListWidget *list);

// The list is emptied first. A database failure is shown and leaves it empty.
void fillNames(QListWidget *list, const PositionStore &store, int strategy, MessageBoxes &boxes);
// The key the item carries.
qint64 itemKey(const QListWidget *list, int row);

} // namespace velmora
