#include "ui/store/ReportPickerDialog.h"

#include "store/PositionStore.h"
#include "ui/Captions.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora
{

ReportPickerDialog::ReportPickerDialog(
    const QString &databaseFile, MessageBoxes &boxes, QWidget *parent)
    : StoreWindow(parent)
    , m_boxes(boxes)
    , m_strategy(strategyList(this))
    , m_names(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Export Report"));
    setModal(true);
    auto *look = new QLabel(QStringLiteral("Look In"), this);
    pairCaption(look, m_strategy);
    nameNameList(m_names);
    // A click toggles an entry's mark, as in Clean Up.
    m_names->setSelectionMode(QAbstractItemView::MultiSelection);
    m_names->setToolTip(QStringLiteral("Mark the positions to report, one page each"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_export
        = buttons->addButton(QStringLiteral("&Export Report..."), QDialogButtonBox::AcceptRole);
    m_export->setToolTip(QStringLiteral("Write the marked positions' report as a PDF file"));
    auto *top = new QFormLayout;
    top->addRow(look, m_strategy);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_names);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReportPickerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReportPickerDialog::reject);
    connect(m_strategy, &QComboBox::currentIndexChanged, this, [this](int strategy) {
        if (store())
            fillNames(m_names, *store(), strategy, m_boxes);
    });
    if (!loadStore(databaseFile, m_boxes))
        return;
    m_strategy->setCurrentIndex(0);
}

int ReportPickerDialog::strategy() const
{
    return m_strategy->currentIndex();
}

std::vector<NameEntry> ReportPickerDialog::marked() const
{
    std::vector<NameEntry> entries;
    for (int row = 0; row < m_names->count(); ++row)
        if (m_names->item(row)->isSelected())
            entries.push_back({itemKey(m_names, row), m_names->item(row)->text()});
    return entries;
}

Message ReportPickerDialog::nothingMarkedMessage()
{
    return {QStringLiteral("No position is marked for the report."), MsgStyle::Stop,
        QStringLiteral("Export Report")};
}

void ReportPickerDialog::accept()
{
    if (marked().empty()) {
        m_boxes.show(nothingMarkedMessage());
        return;
    }
    StoreWindow::accept();
}

} // namespace velmora
