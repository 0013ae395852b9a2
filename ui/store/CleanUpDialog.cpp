#include "ui/store/CleanUpDialog.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"
#include "ui/Captions.h"
#include "ui/store/DialogLayout.h"
#include "ui/store/StoreWindowParts.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace velmora
{

namespace
{

const QString kMarkAll = QStringLiteral("&Mark All");
const QString kUnMarkAll = QStringLiteral("&UnMark All");
const QString kDeletion = QStringLiteral("Deletion");

} // namespace

CleanUpDialog::CleanUpDialog(const QString &databaseFile, MessageBoxes &boxes, QWidget *parent)
    : StoreWindow(parent)
    , m_boxes(boxes)
    , m_label1(namedControl<QLabel>(this, "Label1", QStringLiteral("Look In")))
    , m_cmbStrategy(strategyList(this))
    , m_cmdMark(namedControl<QPushButton>(this, "cmdMark", kMarkAll))
    , m_lst(namedControl<QListWidget>(this, "Lst"))
    , m_cmdDel(namedControl<QPushButton>(this, "cmdDel", QStringLiteral("&Delete Marked Files")))
{
    setObjectName(QStringLiteral("fRemove"));
    setWindowTitle(QStringLiteral("Clean Up"));
    setModal(true);
    sizeTwips(this, 5370, 4980);
    placeTwips(m_label1, 285, 225, 765, 300);
    placeTwips(m_cmbStrategy, 1050, 210, 3180, 315);
    placeTwips(m_cmdMark, 3945, 765, 1050, 315);
    placeTwips(m_lst, 285, 1140, 4800, 3210);
    placeTwips(m_cmdDel, 2985, 4440, 2100, 315);
    pairCaption(m_label1, m_cmbStrategy);
    nameNameList(m_lst);
    m_cmbStrategy->setToolTip(QStringLiteral("The strategy whose saved positions are listed"));
    m_cmdMark->setToolTip(QStringLiteral("Mark every listed position, or take the marks off"));
    m_cmdDel->setToolTip(QStringLiteral("Delete the marked positions, after asking"));
    // A click toggles an entry's mark.
    m_lst->setSelectionMode(QAbstractItemView::MultiSelection);
    // Enter deletes the marked entries (after asking); Esc closes the window.
    m_cmdMark->setAutoDefault(false);
    m_cmdDel->setDefault(true);

    connect(
        m_cmbStrategy, &QComboBox::currentIndexChanged, this, &CleanUpDialog::cmbStrategy_Click);
    connect(m_cmdMark, &QPushButton::clicked, this, &CleanUpDialog::cmdMark_Click);
    connect(m_cmdDel, &QPushButton::clicked, this, &CleanUpDialog::cmdDel_Click);

    // Form_Load.
    if (!loadStore(databaseFile, m_boxes))
        return;
    m_cmbStrategy->setCurrentIndex(0);
}

CleanUpDialog::~CleanUpDialog() = default;

Message CleanUpDialog::nothingMarkedMessage()
{
    return {QStringLiteral("No Marked File Found."), MsgStyle::Stop, kDeletion};
}

Message CleanUpDialog::confirmMessage()
{
    return {QStringLiteral("Are you Sure to Delete all the Marked Files."), MsgStyle::QuestionYesNo,
        kDeletion};
}

void CleanUpDialog::cmbStrategy_Click()
{
    if (store())
        fillNames(m_lst, *store(), m_cmbStrategy->currentIndex(), m_boxes);
}

void CleanUpDialog::cmdMark_Click()
{
    const bool mark = m_cmdMark->text() == kMarkAll;
    for (int row = 0; row < m_lst->count(); ++row)
        m_lst->item(row)->setSelected(mark);
    m_cmdMark->setText(mark ? kUnMarkAll : kMarkAll);
}

void CleanUpDialog::cmdDel_Click()
{
    std::vector<qint64> marked;
    for (int row = 0; row < m_lst->count(); ++row) {
        if (m_lst->item(row)->isSelected())
            marked.push_back(itemKey(m_lst, row));
    }
    if (marked.empty()) {
        m_boxes.show(nothingMarkedMessage());
        return;
    }
    if (m_boxes.show(confirmMessage()) != Answer::Yes)
        return;
    try {
        store()->remove(marked);
    } catch (const DatabaseError &error) {
        m_boxes.show(
            OpenSaveCommand::failureMessage(error, QStringLiteral("Nothing was deleted.")));
    }
    cmbStrategy_Click();
}

} // namespace velmora
