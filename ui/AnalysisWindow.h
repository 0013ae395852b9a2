#pragma once
// The analysis view of the position on screen: the inputs, the figures, and
// the analysis chart with the P/L grid in a tab beside it, with File (Export Chart..., Export
// Table..., Print..., Print Preview...) and Edit (Copy) menus. Inputs the analysis cannot use get
// a message through the message boxes and leave the chart as it was.

#include "core/Message.h"
#include "strategies/TableText.h"

#include <QDialog>
#include <QHash>

class QAction;
class QLabel;
class QMenuBar;
class QTableWidget;
class QTabWidget;

namespace velmora
{

class AnalysisPanel;
struct ChartOutput;
class AnalysisView;
class PlGridView;

class AnalysisWindow : public QDialog
{
    Q_OBJECT
public:
    AnalysisWindow(Legs legs, std::optional<double> stockPrice, const QString &strategyName,
        MessageBoxes &messages, QWidget *parent = nullptr);

    AnalysisPanel *panel() const { return m_panel; }
    AnalysisView *view() const { return m_view; }
    PlGridView *grid() const { return m_grid; }
    QTabWidget *tabs() const { return m_tabs; }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    // The figures as the table shows them, header row first.
    const TableRows &figureTable() const { return m_figureRows; }

    // Takes the panel's inputs; false (after a message) when they are refused.
    // The price range goes back to the automatic one unless only the
    // evaluation date moved.
    bool applyInputs();

private:
    void buildMenus(QMenuBar *bar);
    void showFigures(const PositionAnalysis &analysis);
    // What Copy and Export Table give: the grid when its tab shows, else the figures.
    TableRows shownTable() const;
    void exportChartFile();
    void printChartPage(bool preview);
    // Paper and files, loaded on first use; null after saying why not.
    const ChartOutput *loadedOutput();

    Legs m_legs;
    MessageBoxes &m_messages;
    AnalysisPanel *m_panel = nullptr;
    AnalysisView *m_view = nullptr;
    QTableWidget *m_figures = nullptr;
    QTabWidget *m_tabs = nullptr;
    PlGridView *m_grid = nullptr;
    QLabel *m_european = nullptr;
    QHash<QString, QAction *> m_actions;
    QList<QStringList> m_figureRows;
    std::optional<AnalysisInputs> m_shown;
};

} // namespace velmora
