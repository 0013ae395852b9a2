#pragma once
// fRemove, "Clean Up": lists the saved names of one strategy, lets the user
// mark any of them and deletes the marked rows after asking. Constructing the
// window opens the position file; when that fails the message is shown and
// exec() returns at once.

#include "core/Message.h"

#include "ui/store/StoreWindowParts.h"

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace velmora
{

class PositionStore;

class CleanUpDialog : public StoreWindow
{
    Q_OBJECT
public:
    CleanUpDialog(const QString &databaseFile, MessageBoxes &boxes, QWidget *parent = nullptr);
    ~CleanUpDialog() override;

    QLabel *Label1() const { return m_label1; }
    QComboBox *cmbStrategy() const { return m_cmbStrategy; }
    QPushButton *cmdMark() const { return m_cmdMark; }
    QListWidget *Lst() const { return m_lst; }
    QPushButton *cmdDel() const { return m_cmdDel; }

    static Message nothingMarkedMessage();
    static Message confirmMessage();

private:
    void cmbStrategy_Click();
    void cmdMark_Click();
    void cmdDel_Click();

    MessageBoxes &m_boxes;

    QLabel *m_label1;
    QComboBox *m_cmbStrategy;
    QPushButton *m_cmdMark;
    QListWidget *m_lst;
    QPushButton *m_cmdDel;
};

} // namespace velmora
