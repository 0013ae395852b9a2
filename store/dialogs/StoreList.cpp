#include "store/dialogs/StoreList.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"

#include <QListWidget>

namespace velmora
{

void fillNames(QListWidget *list, const PositionStore &store, int strategy, MessageBoxes &boxes)
{
    list->clear();
    std::vector<NameEntry> names;
    try {
        names = store.names(strategy);
    } catch (const DatabaseError &error) {
        boxes.show(OpenSaveCommand::failureMessage(error, QStringLiteral("No names are listed.")));
        return;
    }
    for (const NameEntry &entry : names) {
        auto *item = new QListWidgetItem(entry.name, list);
        item->setData(Qt::UserRole, entry.id);
    }
}

qint64 itemKey(const QListWidget *list, int row)
{
    const QListWidgetItem *item = list->item(row);
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

} // namespace velmora
