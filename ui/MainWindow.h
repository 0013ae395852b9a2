#pragma once
// fStrategy, the main window. It holds the position as a Session (the
// rules, the chart and its table, the mode) and mirrors it into widgets: one QLineEdit per text
// box, named after its control ("Text4(2)"), the three lists, the five strategy groups, the chart
// surface pGraph and the menus. User edits go to the Workspace; the Workspace's changes come back
// into the widgets.
//
// The window has two modes. In entry mode the selected strategy's group is in
// view and the other groups and pGraph are parked. In chart mode pGraph lies
// in front of everything and the window is enlarged to hold it; Esc, New,
// printing and opening a position bring entry mode back.
//
// The focus, key filter and leave checks of the fields are FieldFocus's; the
// group layout is GroupBuilder's; every message box goes through MessageGate.

#include "chart/ChartSurface.h"
#include "core/ControlId.h"
#include "core/Message.h"
#include "core/Workspace.h"
#include "session/Session.h"
#include "store/OpenSaveState.h"
#include "strategies/ChartRequest.h"
#include "ui/ControlRegistry.h"
#include "ui/MainMenu.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace velmora
{

class ChartView;
class FieldFocus;
class MessageGate;
struct OpenSaveOutcome;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(MessageBoxes &messages, QWidget *parent = nullptr);
    ~MainWindow() override;

    Session &session() { return m_session; }
    Workspace &workspace() { return m_session.workspace(); }
    ChartSurface &surface() { return m_session.surface(); }
    OpenSaveState &openSaveState() { return m_session.openSave(); }
    // Shows a message box now, in turn with the warnings of the fields.
    Answer showMessage(const Message &message);

    QLineEdit *field(const ControlId &id) const { return m_controls.field(id); }
    QComboBox *list(const QString &name) const { return m_controls.list(name); }
    // Any named control: fields, lists, frames, Text1, cmdGraph, pGraph.
    QWidget *control(const ControlId &id) const { return m_controls.control(id); }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    QWidget *chartWidget() const;
    std::optional<ControlId> focusedControl() const;
    // Sends the focus to a control as the program does after a message.
    void setFocusTo(const ControlId &id, bool selectAll);

    // The chart counts as shown exactly when pGraph is not parked.
    bool chartShown() const;
    // The window's part of GraphBase: Print > Graph enabled, pGraph in front
    // at (60, 105), the window enlarged to 16400 x 11200 twips.
    void graphBaseWindow();
    // Parks the five groups.
    void defaultLocation();
    // Back to entry mode (what Esc does): the chart parked, the window its
    // entry size, the focus where it was before the chart.
    void leaveChartMode();
    // The window's part of an Open: its caption, the strategy list, entry mode.
    void applyOpenOutcome(const OpenSaveOutcome &outcome);

    // The handlers keep the names the program has always used: the control's
    // name, an underscore and the event (cmdGraph_Click, F_Nw_Click, ...).
public slots:
    void cmdGraph_Click();
    // The analysis view of the position, after View Graph's checks.
    void cmdAnalysis_Click();
    void F_Nw_Click();
    void F_Open_Click();
    void F_Rem_Click();
    void F_Save_Click();
    void F_Exit_Click();
    void F_Export_Click();
    void F_ExportTable_Click();
    // A report of saved positions marked in a list, one page each.
    void F_ExportReport_Click();
    void E_Copy_Click();
    void P_Graph_Click();
    void P_Preview_Click();
    void A_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildTopControls(QWidget *client);
    // A strategy's group is made when first shown or looked up; only one
    // is in view at a time, and the window's first paint needs only that one.
    QGroupBox *strategyGroup(int index);
    void makeGroupOf(const ControlId &id);
    void connectGroup(const GroupSpec &entry);
    void connectField(const ControlId &id);
    void buildChart(QWidget *client);
    void connectModel();
    void strategySwitched(int listIndex);
    void showField(const ControlId &id, const QString &text);
    void setOuterWidth(int twips);
    void setOuterHeight(int twips);
    void applyOuterSize();
    QSize fitOnScreen(const QSize &outer) const;
    void layoutChart();
    void reapplyForNewFrame();
    void parkChart();
    void showPrintLook(bool printing);
    // Shows a refused request's message and moves the focus where the
    // session sends it; true when refused.
    bool reportRefusal(const GraphOutcome &outcome);

    MessageBoxes &m_messages;
    Session m_session;
    ControlRegistry m_controls;
    MenuActions m_actions;
    MessageGate *m_gate = nullptr;
    FieldFocus *m_focus = nullptr;
    std::array<QGroupBox *, kStrategyCount> m_groups {};
    QComboBox *m_strategyList = nullptr;
    QPushButton *m_graphButton = nullptr;
    QPushButton *m_analysisButton = nullptr;
    ChartView *m_chart = nullptr;
    QWidget *m_entry = nullptr; // every control but the chart and the menus
    QPointer<QWidget> m_focusBeforeChart;
    QSize m_normalSize;
    // The window's size in twips, frame included, as last set; 0 where the
    // client area decides. Applied again once the frame is known.
    int m_outerWidth = 0;
    int m_outerHeight = 0;
    QSize m_appliedFrame; // the frame those sizes were last applied with
};

} // namespace velmora
