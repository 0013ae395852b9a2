#pragma once
// fOpenSave: one modal window for File > open and File > Save. The caller
// sets the mode through the captions (showOpen / showSave do it as the main
// window's menu handlers always have); the caption of cmdOpSv is the mode.
// The window lists the saved names of one strategy and runs the commands of
// OpenSaveCommand; what the main window must do afterwards is in outcome().
//
// Constructing the window is its Form_Load: it opens the position file. When
// that fails the message is shown and exec() returns at once.

#include "store/OpenSaveCommand.h"
#include "store/OpenSaveState.h"

#include "ui/store/StoreWindowParts.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora
{

class PositionStore;
class Workspace;

class OpenSaveDialog : public StoreWindow
{
    Q_OBJECT
public:
    OpenSaveDialog(const QString &databaseFile, Workspace &workspace, OpenSaveState &state,
        MessageBoxes &boxes, QWidget *parent = nullptr);
    ~OpenSaveDialog() override;

    QLabel *lblOpSv() const { return m_lblOpSv; }
    QComboBox *cmbStrategy() const { return m_cmbStrategy; }
    QListWidget *Lst() const { return m_lst; }
    QLabel *Label2() const { return m_label2; }
    QLineEdit *Text1() const { return m_text1; }
    QPushButton *cmdOpSv() const { return m_cmdOpSv; }

    // False when the position file could not be opened.

    // The captions of each mode; Save also fixes the strategy and, for an
    // opened position, offers its strategy and name. Then shown modally.
    void setOpenMode();
    void setSaveMode();
    int showOpen();
    int showSave();

    // What the last command asked of the main window.
    const OpenSaveOutcome &outcome() const { return m_outcome; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmbStrategy_Click();
    void Lst_Click();
    void Lst_DblClick();
    void Text1_Change();
    void cmdOpSv_Click();
    bool isOpenMode() const;
    bool isSaveMode() const;

    Workspace &m_workspace;
    OpenSaveState &m_state;
    MessageBoxes &m_boxes;
    OpenSaveOutcome m_outcome;

    QLabel *m_lblOpSv;
    QComboBox *m_cmbStrategy;
    QListWidget *m_lst;
    QLabel *m_label2;
    QLineEdit *m_text1;
    QPushButton *m_cmdOpSv;
};

} // namespace velmora
