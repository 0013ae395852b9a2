#pragma once
// The analysis view of the position on screen: the inputs, the figures, and
// the analysis chart with the P/L grid in a tab beside it, with File (Export Chart..., Export
// Table..., Print..., Print Preview...) and Edit (Copy) menus. Inputs the analysis cannot use get
// a message through the message boxes, leave the chart as it was and are
// replaced by the last ones it took. The window fits the screen it opens on.

#include "core/Message.h"
#include "strategies/PositionReport.h"
#include "strategies/TableText.h"

#include <QDialog>
#include <QHash>

#include <optional>

class QAction;
class QLabel;
class QMenuBar;
class QTableWidget;
class QTabWidget;

namespace velmora
{

class AnalysisPanel;
class AnalysisView;
class PlGridView;

// The position the window analyses, as the main window has it.
struct AnalysedPosition {
    Legs legs;
    std::optional<double> stockPrice; // the position's own; the spreads have none
    QString symbol;
    QString strategyName; // "Covered Calls"
    QString title; // in short: "IBM covered call: +300 @ 50, -3 C55 @ 2"
    ChartSurface chart = {}; // View Graph's, for the report
};

class AnalysisWindow : public QDialog
{
    Q_OBJECT
public:
    // Today's stock price typed for the same position earlier in the run
    // comes back.
    AnalysisWindow(AnalysedPosition position, MessageBoxes &messages, QWidget *parent = nullptr);
    ~AnalysisWindow() override;

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
    // The one-page report of the position with the inputs shown.
    PositionReport report() const;
    // Says why, puts the last inputs taken back and the focus on the input.
    void refuse(const QString &problem);
    // Back to this window and the input after a message.
    void returnFocus(QWidget *input);
    // "IBM Covered Calls analysis", the name the exports suggest.
    QString exportName() const;
    void exportChartFile();
    void exportFigures();
    void printChartPage(bool preview);

    const AnalysedPosition m_position;
    const Legs &m_legs = m_position.legs;
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
    bool m_refusing = false; // a refusal's message is up
};

} // namespace velmora
