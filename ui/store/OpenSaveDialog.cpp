#include "ui/store/OpenSaveDialog.h"

#include "store/PositionStore.h"
#include "ui/Captions.h"
#include "ui/store/DialogLayout.h"
#include "ui/store/StoreWindowParts.h"

#include "core/Workspace.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace velmora
{

namespace
{

const QString kOpen = QStringLiteral("&Open");
const QString kSave = QStringLiteral("&Save");

} // namespace

OpenSaveDialog::OpenSaveDialog(const QString &databaseFile, Workspace &workspace,
    OpenSaveState &state, MessageBoxes &boxes, QWidget *parent)
    : StoreWindow(parent)
    , m_workspace(workspace)
    , m_state(state)
    , m_boxes(boxes)
    , m_lblOpSv(namedControl<QLabel>(this, "lblOpSv"))
    , m_cmbStrategy(strategyList(this))
    , m_lst(namedControl<QListWidget>(this, "Lst"))
    , m_label2(namedControl<QLabel>(this, "Label2", QStringLiteral("File Name ")))
    , m_text1(namedControl<QLineEdit>(this, "Text1"))
    , m_cmdOpSv(namedControl<QPushButton>(this, "cmdOpSv"))
{
    setObjectName(QStringLiteral("fOpenSave"));
    setModal(true);
    sizeTwips(this, 5370, 4110);
    placeTwips(m_lblOpSv, 195, 270, 885, 330);
    placeTwips(m_cmbStrategy, 1155, 255, 2925, 315);
    placeTwips(m_lst, 180, 765, 5010, 2565);
    placeTwips(m_label2, 240, 3645, 765, 315);
    placeTwips(m_text1, 1080, 3600, 2835, 300);
    placeTwips(m_cmdOpSv, 4125, 3600, 1065, 315);
    // A caption grown for today's font still ends before the box it names.
    const int clearOfName = m_text1->x() - twipsToPixels(60) - m_label2->width();
    if (clearOfName < m_label2->x())
        m_label2->move(std::max(0, clearOfName), m_label2->y());
    pairCaption(m_lblOpSv, m_cmbStrategy);
    pairCaption(m_label2, m_text1);
    nameNameList(m_lst);
    m_text1->setToolTip(QStringLiteral("Name of the position"));
    // Enter in the name box works the button; Esc closes the window.
    m_cmdOpSv->setDefault(true);
    // The list opens nothing until the user picks an entry.
    m_cmdOpSv->setEnabled(false);

    connect(
        m_cmbStrategy, &QComboBox::currentIndexChanged, this, &OpenSaveDialog::cmbStrategy_Click);
    connect(m_lst, &QListWidget::itemSelectionChanged, this, &OpenSaveDialog::Lst_Click);
    connect(m_lst, &QListWidget::itemDoubleClicked, this, &OpenSaveDialog::Lst_DblClick);
    connect(m_text1, &QLineEdit::textChanged, this, &OpenSaveDialog::Text1_Change);
    connect(m_cmdOpSv, &QPushButton::clicked, this, &OpenSaveDialog::cmdOpSv_Click);

    // Form_Load.
    if (!loadStore(databaseFile, m_boxes))
        return;
    // The list starts with nothing chosen, so this lists the names; a second
    // listing would only show a failure twice.
    m_cmbStrategy->setCurrentIndex(m_workspace.strategy());
}

OpenSaveDialog::~OpenSaveDialog() = default;

void OpenSaveDialog::setOpenMode()
{
    setWindowTitle(QStringLiteral("Open File"));
    m_cmdOpSv->setText(kOpen);
    m_cmdOpSv->setToolTip(QStringLiteral("Open the chosen position into the main window"));
    m_cmbStrategy->setToolTip(QStringLiteral("The strategy whose saved positions are listed"));
    m_lblOpSv->setText(QStringLiteral("Look In"));
}

void OpenSaveDialog::setSaveMode()
{
    setWindowTitle(QStringLiteral("Save File As"));
    m_cmdOpSv->setText(kSave);
    m_cmdOpSv->setToolTip(QStringLiteral("Save the position under the name typed"));
    m_cmbStrategy->setToolTip(QStringLiteral("The strategy the position is saved with"));
    m_lblOpSv->setText(QStringLiteral("Save In"));
    m_cmbStrategy->setEnabled(false);
    if (m_state.OpSvMode == OpenSaveState::Opened) {
        m_cmbStrategy->setCurrentIndex(m_state.OpSvSID);
        m_text1->setText(m_state.OpSvName);
    }
}

int OpenSaveDialog::showOpen()
{
    setOpenMode();
    return exec();
}

int OpenSaveDialog::showSave()
{
    setSaveMode();
    return exec();
}

bool OpenSaveDialog::isOpenMode() const
{
    return m_cmdOpSv->text() == kOpen;
}

bool OpenSaveDialog::isSaveMode() const
{
    return m_cmdOpSv->text() == kSave;
}

void OpenSaveDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_text1->setFocus();
}

void OpenSaveDialog::cmbStrategy_Click()
{
    m_text1->clear();
    if (store())
        fillNames(m_lst, *store(), m_cmbStrategy->currentIndex(), m_boxes);
    m_cmdOpSv->setEnabled(!m_lst->selectedItems().isEmpty());
}

void OpenSaveDialog::Lst_Click()
{
    const QList<QListWidgetItem *> selected = m_lst->selectedItems();
    if (!isOpenMode() || selected.isEmpty())
        return;
    m_text1->setText(selected.front()->text());
    m_cmdOpSv->setEnabled(true);
}

void OpenSaveDialog::Lst_DblClick()
{
    if (isOpenMode())
        cmdOpSv_Click();
}

void OpenSaveDialog::Text1_Change()
{
    // An emptied name leaves the button enabled; Save then explains.
    if (isSaveMode() && !m_text1->text().isEmpty())
        m_cmdOpSv->setEnabled(true);
}

void OpenSaveDialog::cmdOpSv_Click()
{
    if (!store())
        return;
    OpenSaveCommand command(*store(), m_state, m_boxes);
    const int strategy = m_cmbStrategy->currentIndex();
    if (isSaveMode()) {
        m_outcome = command.save(m_workspace, strategy, m_text1->text());
    } else if (isOpenMode()) {
        const QList<QListWidgetItem *> selected = m_lst->selectedItems();
        if (selected.isEmpty())
            return;
        const int row = m_lst->row(selected.front());
        m_outcome
            = command.open(m_workspace, strategy, {itemKey(m_lst, row), selected.front()->text()});
    } else {
        return;
    }
    if (m_outcome.refreshList)
        cmbStrategy_Click();
    if (m_outcome.focusName) {
        m_text1->setFocus();
        if (m_outcome.selectName)
            m_text1->selectAll();
    }
    if (m_outcome.close)
        accept();
}

} // namespace velmora
