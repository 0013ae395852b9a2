#pragma once
// "Export Report": the saved positions of one strategy, listed as Clean Up
// lists them, to mark the ones a report is written of. Constructing the
// window opens the position file; when that fails the message is shown and
// exec() returns at once.

#include "core/Message.h"
#include "store/PositionRow.h"
#include "ui/store/StoreWindowParts.h"

#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;

namespace velmora
{

class ReportPickerDialog : public StoreWindow
{
    Q_OBJECT
public:
    ReportPickerDialog(const QString &databaseFile, MessageBoxes &boxes, QWidget *parent = nullptr);

    QComboBox *strategyBox() const { return m_strategy; }
    QListWidget *names() const { return m_names; }
    QPushButton *exportButton() const { return m_export; }

    int strategy() const;
    // The marked positions, in the list's order (by key).
    std::vector<NameEntry> marked() const;
    using StoreWindow::store;

    static Message nothingMarkedMessage();

private:
    void accept() override;

    MessageBoxes &m_boxes;
    QComboBox *m_strategy;
    QListWidget *m_names;
    QPushButton *m_export;
};

} // namespace velmora
