#include "ui/store/StoreWindowParts.h"

#include "ui/store/DialogLayout.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"

#include "core/Catalogue.h"

#include <QComboBox>

#include <QListWidget>

namespace velmora
{

namespace
{

std::unique_ptr<PositionStore> openStore(const QString &file, MessageBoxes &boxes)
{
    try {
        // The run's connection: showing the window again derives no key.
        auto store = std::make_unique<PositionStore>(file, PositionStore::Connection::Kept);
        store->checkPages();
        return store;
    } catch (const DatabaseError &error) {
        boxes.show(OpenSaveCommand::failureMessage(error, QStringLiteral("Nothing was changed.")));
        return nullptr;
    }
}

} // namespace

StoreWindow::~StoreWindow() = default;

int StoreWindow::exec()
{
    if (!isLoaded())
        return QDialog::Rejected;
    return QDialog::exec();
}

bool StoreWindow::loadStore(const QString &file, MessageBoxes &boxes)
{
    m_store = openStore(file, boxes);
    return isLoaded();
}

QComboBox *strategyList(QWidget *parent)
{
    auto *list = namedControl<QComboBox>(parent, "cmbStrategy");
    list->addItems(strategyNames());
    list->setCurrentIndex(-1);
    return list;
}

void nameNameList(QListWidget *list)
{
    list->setAccessibleName(QStringLiteral("Saved positions"));
    list->setToolTip(QStringLiteral("The positions saved with the strategy chosen above"));
}

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
    // Added in one step, one line each: a file may hold tens of thousands.
    list->setUniformItemSizes(true);
    QStringList texts;
    texts.reserve(qsizetype(names.size()));
    for (const NameEntry &entry : names)
        texts << entry.name;
    list->addItems(texts);
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setData(Qt::UserRole, names[size_t(row)].id);
}

qint64 itemKey(const QListWidget *list, int row)
{
    const QListWidgetItem *item = list->item(row);
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

} // namespace velmora
